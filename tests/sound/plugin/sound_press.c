/* A sound-press plug-in for the tests: "expand" copies the source to the
   destination, dropping a 4-byte "PRS1" header. */
#include <stdio.h>
#include <string.h>

int expand(const char* source, const char* destination) {
  FILE* in = fopen(source, "rb");
  if (!in) return 1;
  FILE* out = fopen(destination, "wb");
  if (!out) {
    fclose(in);
    return 1;
  }
  char head[4];
  if (fread(head, 1, 4, in) == 4 && memcmp(head, "PRS1", 4) == 0) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, out);
  }
  fclose(in);
  fclose(out);
  return 0;
}
