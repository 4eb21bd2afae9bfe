/* Links the module and prints the server's status word through its C export. */
#include <stdio.h>

#include <kzdlogsrv/status_exports.h>

int main(void) {
  printf("server status: %d\n", GetServerStat(NULL));
  return 0;
}
