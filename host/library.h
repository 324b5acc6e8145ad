// A VST 2.4 plug-in library opened from a file: the platform's loader plus
// the entry-point lookup (VSTPluginMain, or main as many Linux plug-ins have).
#pragma once

#include <memory>
#include <string>

#include "aeffect.h"

namespace sorel::host {

class PluginLibrary {
 public:
  using EntryPoint = AEffect* (*)(audioMasterCallback);

  // Null on failure, with the reason in *error.
  static std::shared_ptr<PluginLibrary> open(const std::string& path, std::string* error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  EntryPoint entryPoint() const { return entry; }
  const std::string& path() const { return filePath; }

 private:
  PluginLibrary(void* handle, EntryPoint entry, std::string path);
  void* handle;
  EntryPoint entry;
  std::string filePath;
};

}  // namespace sorel::host
