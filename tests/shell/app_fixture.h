// The application object on a ScriptedUi and a clock that moves only when events are pumped, in
// fresh stand-in folders.
#pragma once

#include <memory>
#include <string>

#include "platform/registry.h"
#include "shell/kzdlogsrv_app.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::shell {

class FakeOem : public OemProvider {
 public:
  OemAnswer answer{OemAnswer::Status::Ok, "KALDEN"};
  int calls = 0;
  OemAnswer Query() override {
    ++calls;
    return answer;
  }
};

// Each pump moves the clock on by the time it was asked to wait.
class ClockedUi : public test::ScriptedUi {
 public:
  std::uint32_t now = 0xFFFFFF00u;  // close to the wrap of the count
  void PumpEvents(std::chrono::milliseconds duration) override {
    ScriptedUi::PumpEvents(duration);
    now += static_cast<std::uint32_t>(duration.count());
  }
};

class AppTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    auto oem = std::make_unique<FakeOem>();
    oem_ = oem.get();
    app_ = std::make_unique<CKzdlogsrvApp>(ui_, "/opt/kz/libkzdlogsrv.so", std::move(oem),
                                           [this] { return ui_.now; });
    app_->InitInstance();
  }
  void TearDown() override { app_->ExitInstance(); }

  ClockedUi ui_;
  FakeOem* oem_ = nullptr;
  std::unique_ptr<CKzdlogsrvApp> app_;
};

}  // namespace kz::shell
