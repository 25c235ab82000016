#pragma once
// A Wine PostScript printer whose port is a file, made the default printer
// while the object lives, so that a print job ends in that file.
#include <windows.h>

#include <string>

namespace e2e {

class FilePrinter {
 public:
  // `port`: an absolute Unix path the printed PostScript goes to.
  explicit FilePrinter(const std::string& port);
  ~FilePrinter();
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;

  bool Ready() const { return printer_ != nullptr; }

 private:
  HANDLE printer_ = nullptr;
};

}  // namespace e2e
