// kzdlogsrv kpj show, run as the built host.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz {
namespace {

using nlohmann::ordered_json;

class KpjCommandTest : public test::TempEnvTest {};

TEST_F(KpjCommandTest, ShowPrintsStationsDatalogsAndTransfers) {
  test::WriteFile(env_.Path("Site.kpj"),
                  "[Zel Stations]\r\n0=North,1\r\n[Zel: North]\r\nStaNum=7\r\n"
                  "[Quenda]\r\n0=North,Hourly\r\n1=Caf\xe9,Hourly\r\n2=North,D\xe9\r\n"
                  "[Client Transfers: Hourly]\r\n0=`Sta`,\r\n0a=,,,,,,,,,,,128,0,\r\n"
                  "1=`No detail`,\r\n");
  const auto run = test::RunHost({"kpj", "show", env_.Path("SITE.KPJ").string(), "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const ordered_json hourly_of_north = {
      {{"name", "Sta"}, {"log id type", 128}, {"log id", 7}},
      {{"name", "No detail"}, {"log id type", nullptr}, {"log id", -1}}};
  const ordered_json expected = {
      {"stations",
       {{{"name", "North"},
         {"number", 7},
         {"datalogs",
          {{"{\"hex\":\"44e9\"}", ordered_json::array()}, {"Hourly", hourly_of_north}}}},
        {{"name", {{"hex", "436166e9"}}},
         {"number", -1},
         {"datalogs",
          {{"Hourly",
            {{{"name", "Sta"}, {"log id type", 128}, {"log id", -1}},
             {{"name", "No detail"}, {"log id type", nullptr}, {"log id", -1}}}}}}}}}};
  EXPECT_EQ(ordered_json::parse(run.out), expected);
  EXPECT_EQ(run.err, "");
}

TEST_F(KpjCommandTest, UnreadableFilesFailWithOneLineNamingThem) {
  std::filesystem::create_directories(env_.Path("folder.kpj"));
  const std::string fifo = env_.Path("fifo.kpj").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::string why;
  } cases[] = {{env_.Path("none.kpj").string(), "No such file or directory"},
               {env_.Path("folder.kpj").string(), "Is a directory"},
               {fifo, "not a regular file"}};
  for (const auto& c : cases) {
    const auto run = test::RunHost({"kpj", "show", c.path, "--json"}, 10000);
    EXPECT_EQ(run.exit_code, 1) << c.path;
    EXPECT_EQ(run.err, "kzdlogsrv: " + c.path + ": " + c.why + "\n");
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(test::RunHost({"kpj", "show"}).exit_code, 2);
  const auto help = test::RunHost({"kpj", "show", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("FILE"), std::string::npos);
}

}  // namespace
}  // namespace kz
