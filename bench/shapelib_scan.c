/* The shapelib side of scripts/bench-dbf: reads NAME and UNIT of every live record of a table
 * with DBFReadStringAttribute, as the dBase reader's benchmark does, and prints the count. */
#include <shapefil.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: shapelib_scan FILE.dbf\n");
    return 2;
  }
  DBFHandle dbf = DBFOpen(argv[1], "rb");
  if (!dbf) {
    fprintf(stderr, "shapelib_scan: %s: cannot open\n", argv[1]);
    return 1;
  }
  const int name = DBFGetFieldIndex(dbf, "NAME");
  const int unit = DBFGetFieldIndex(dbf, "UNIT");
  const int count = DBFGetRecordCount(dbf);
  long live = 0;
  size_t bytes = 0;
  for (int i = 0; i < count; ++i) {
    if (DBFIsRecordDeleted(dbf, i)) continue;
    bytes += strlen(DBFReadStringAttribute(dbf, i, name));
    bytes += strlen(DBFReadStringAttribute(dbf, i, unit));
    ++live;
  }
  DBFClose(dbf);
  printf("%ld %zu\n", live, bytes);
  return 0;
}
