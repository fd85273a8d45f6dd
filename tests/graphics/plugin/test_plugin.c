/* A picture and archive plug-in for the tests.
 * GetPicture: the file holds three bytes blue, green, red; the picture is
 * 3 x 2 pixels of that colour, 24 bits.
 * GetFileInfo/GetFile: the archive holds one file, "inside.txt", whose text
 * is the archive file's own contents. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

int GetPicture(const char* file, long len, unsigned flag, void** info, void** bits, void* progress, long data) {
  FILE* f = fopen(file, "rb");
  unsigned char c[3];
  if (!f) return 1;
  size_t n = fread(c, 1, 3, f);
  fclose(f);
  if (n != 3) return 2;
  unsigned char* h = calloc(1, 40);
  unsigned char* p = calloc(1, 24);
  h[0] = 40, h[4] = 3, h[8] = 2, h[12] = 1, h[14] = 24;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) memcpy(p + y * 12 + x * 3, c, 3);
  *info = h;
  *bits = p;
  return 0;
}

#pragma pack(push, 1)
struct FileInfo {
  unsigned char method[8];
  unsigned position, compressed_size, file_size;
  int timestamp;
  char path[200], file_name[200];
  unsigned crc;
};
#pragma pack(pop)

int GetFileInfo(const char* archive, long offset, const char* name, unsigned flag, struct FileInfo* info) {
  if (strcasecmp(name, "inside.txt") != 0) return 1;
  info->position = 1;
  strcpy(info->file_name, "inside.txt");
  return 0;
}

int GetFile(const char* archive, long position, const char* folder, unsigned flag, void* progress, long data) {
  char path[4096], text[256];
  FILE* in = fopen(archive, "rb");
  if (!in || position != 1) return 1;
  size_t n = fread(text, 1, sizeof text, in);
  fclose(in);
  snprintf(path, sizeof path, "%sinside.txt", folder);
  FILE* out = fopen(path, "wb");
  if (!out) return 1;
  fwrite(text, 1, n, out);
  fclose(out);
  return 0;
}
