// ProfileDocument: one INI-style (profile) file held in memory as its original lines, with the
// look-ups and edits of the Windows profile-string calls. It never touches the disk; profile.h
// adds paths, caching and atomic replacement on top of it.
//
// Reading rules: names compared without case, blanks trimmed around names and '=', one pair of
// enclosing quotes (" or ') stripped from a value, the first of duplicate sections or keys wins,
// ';' lines are comments, lines before the first header belong to no section, a UTF-8 byte-order
// mark at the start is skipped.
// Writing rules: every line an edit does not have to touch keeps its bytes; a replaced key keeps
// its line's position; a new key goes right after the last key line (or line without '=') of its
// section, before the comment and blank lines that close it; a new section goes at the very end
// of the file; the writer emits CRLF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/no_case_index.h"
#include "platform/text_arena.h"

namespace kz::platform {

class ProfileDocument {
  struct Group;  // one section's lines, or the lines before the first header

 public:
  ProfileDocument();  // an empty (missing) file
  explicit ProfileDocument(std::string_view bytes);
  // The same, taking over the buffer instead of copying it.
  static ProfileDocument Adopt(std::string bytes);
  ~ProfileDocument();
  ProfileDocument(const ProfileDocument&);
  ProfileDocument& operator=(const ProfileDocument&);
  ProfileDocument(ProfileDocument&&) noexcept;
  ProfileDocument& operator=(ProfileDocument&&) noexcept;

  // The value of the first matching key of the first matching section, trimmed and unquoted,
  // or nullopt when the section or the key is missing. Section and key lose leading and trailing
  // spaces (0x20) before matching.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // GetPrivateProfileStringA: the value, else the default (trailing spaces removed), cut to
  // size - 1 bytes. size 0 gives the empty text.
  std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                        std::size_t size) const;

  // A section looked up once for many reads. It stays valid while the document is neither edited
  // nor destroyed; a default or not-found one reads as a missing section.
  class Section {
   public:
    Section() = default;
    bool Exists() const { return group_ != nullptr; }
    // Find and GetString of the document, on this section.
    std::optional<std::string_view> Find(std::string_view key) const;
    std::string GetString(std::string_view key, std::string_view def, std::size_t size) const;

   private:
    friend class ProfileDocument;
    explicit Section(const Group* group) : group_(group) {}
    const Group* group_ = nullptr;  // a group of the document; not owned
  };
  // The section Find would read; section loses leading and trailing spaces (0x20) first.
  Section FindSection(std::string_view section) const;

  // The values Find(section, "0"), Find(section, "1"), ... give, in that order, up to the first
  // key that is missing. One pass over the section: a long list costs no look-up per entry.
  // The views stay valid while the document is neither edited nor destroyed. ValueForm::Stored
  // gives each value as it stands in the file (trimmed, quotes kept): written back, it reads as the
  // value again.
  enum class ValueForm { Read, Stored };
  std::vector<std::string_view> NumberedValues(std::string_view section,
                                               ValueForm form = ValueForm::Read) const;

  // The bytes the document was parsed from (empty for a new one); edits do not change them.
  std::string_view Source() const;

  // Key names of the section in file order (first of duplicates only), comments left out.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // Section names in file order (first of duplicates only).
  std::vector<std::string> SectionNames() const;
  bool HasSection(std::string_view section) const;

  // WritePrivateProfileStringA with a value: replace, add the key, or add the section.
  // Returns false (and changes nothing) when the value holds CR or LF, or a name could not be read
  // back as written: a section or key holding CR/LF, a section holding ']', a key empty after
  // trimming, holding '=' or starting with '['.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  // WritePrivateProfileStringA with a key and no value: delete the first matching entry line.
  // True when a line was deleted (an emptied section keeps its header).
  bool DeleteKey(std::string_view section, std::string_view key);
  // WritePrivateProfileStringA with no key: delete the first matching section's header, entries
  // and lines without '='; comment and blank lines stay. True when a section was deleted.
  bool DeleteSection(std::string_view section);

  // The file's bytes as they stand after the edits.
  std::string Serialize() const;
  bool Empty() const;

 private:
  void Parse(std::shared_ptr<const std::string> source);
  auto HeaderOf() const;
  void EnterSection(std::size_t index);
  const Group* FindGroup(std::string_view section) const;
  Group* FindGroup(std::string_view section);
  void AppendSection(std::string_view section, std::string_view key, std::string_view value);

  // Lines and names view the parsed bytes and the texts of written lines. Neither changes nor
  // goes away while the document lives, so copies share them.
  std::shared_ptr<const std::string> source_;
  TextArena written_;
  bool bom_ = false;
  std::vector<Group> groups_;  // the text before the first header, then one group per header
  // The first group of each section name: only it is read and written; when it is deleted, the
  // next of that name takes its place.
  NoCaseIndex sections_;
  std::size_t last_found_ = SIZE_MAX;  // the group a writer found last; see FindGroup
};

}  // namespace kz::platform
