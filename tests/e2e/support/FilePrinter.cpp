#include "FilePrinter.h"

#include <winspool.h>

namespace e2e {
namespace {

constexpr const char* kPrinterName = "Lumetta Test PostScript";

// Wine's generic PostScript description, written where printer drivers live.
std::string WriteGenericPpd() {
  HMODULE spooler = LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (spooler == nullptr) return std::string();
  std::string path;
  HRSRC found = FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE");
  char folder[MAX_PATH] = "";
  DWORD needed = 0;
  if (found != nullptr &&
      GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                 sizeof folder, &needed)) {
    path = std::string(folder) + "\\lumetta-test.ppd";
    const void* data = LockResource(LoadResource(spooler, found));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, data, SizeofResource(spooler, found), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) path.clear();
  }
  FreeLibrary(spooler);
  return path;
}

}  // namespace

FilePrinter::FilePrinter(const std::string& port) {
  const std::string ppd = WriteGenericPpd();
  if (ppd.empty()) return;
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kPrinterName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                           APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
    return;
  }
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(kPrinterName);
  info.pPortName = const_cast<char*>(port.c_str());
  info.pDriverName = const_cast<char*>(kPrinterName);
  info.pPrintProcessor = const_cast<char*>("winprint");
  info.pDatatype = const_cast<char*>("RAW");
  printer_ = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer_ != nullptr) SetDefaultPrinterA(kPrinterName);
}

FilePrinter::~FilePrinter() {
  if (printer_ == nullptr) return;
  DeletePrinter(printer_);
  ClosePrinter(printer_);
}

}  // namespace e2e
