// open_only FILE: opens the file and exits. The floor under any agenda of
// that file: what starting a process and opening the data file cost.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* f = std::fopen(argv[1], "rb");
  if (f == nullptr) return 1;
  std::fclose(f);
  return 0;
}
