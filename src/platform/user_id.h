// Who "this user" is for the ownership checks of the private runtime folder, the status block and
// the server channel: a file, folder or peer process of any other user is never trusted.
#pragma once

#include <sys/types.h>

#include <optional>

namespace kz::platform {

// The effective user id, unless a test stands in another one.
uid_t CurrentUserId();

// Makes CurrentUserId() answer `uid` (nullopt: the effective user again), so that tests can see
// how files and peers of this process are treated when they belong to someone else.
void SetUserIdForTesting(std::optional<uid_t> uid);

}  // namespace kz::platform
