// kzdlogsrv: host of the datalog server configuration module, and headless tool for the files it
// keeps.
#include <cstring>
#include <iostream>

#include "cli/commands.h"

namespace kz::cli {

void Fail(std::string_view what, std::string_view why) {
  std::cerr << "kzdlogsrv: " << what << ": " << why << '\n';
}

std::string ErrorText(int error) {
  return error ? std::strerror(error) : "failed for a reason the system did not give";
}

}  // namespace kz::cli

int main(int argc, char** argv) {
  CLI::App app{"Configure, start and query a datalog server of remote telemetry stations.",
               "kzdlogsrv"};
  app.require_subcommand(1);
  int exit_code = kz::cli::kOk;
  kz::cli::AddConfigCommands(app, exit_code);
  kz::cli::AddIniCommands(app, exit_code);
  kz::cli::AddDbfCommands(app, exit_code);
  kz::cli::AddTrendCommands(app, exit_code);
  kz::cli::AddKpjCommands(app, exit_code);
  kz::cli::AddModuleCommands(app, exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "kzdlogsrv: " << e.what() << '\n';
    return kz::cli::kUsage;
  }
  return exit_code;
}
