// A render session: one plug-in library and the state every file starts
// from, built once from a preset and the command line's settings. Each file
// then gets a fresh instance of the plug-in carrying that state.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host.h"

namespace sorel::host {

struct Setting {
  std::string name;   // qualified name or #index
  std::string value;  // as typed
};

class Session {
 public:
  // Loads the library and builds the state; null with *error when the
  // library, the preset or any setting is wrong. Nothing is written here.
  static std::unique_ptr<Session> create(const std::string& pluginPath, const std::string& presetPath,
                                         const std::vector<Setting>& settings, std::string* error);

  // A fresh instance for a file: opened, rate and block size set, the input
  // arrangement (1 or 2 channels) announced, the state applied, resumed.
  std::unique_ptr<HostedEffect> instance(Host& host, int channels, float sampleRate, int blockSize,
                                         std::string* error) const;

  // Writes the state as .fxp or .fxb (by the path's extension).
  bool savePreset(const std::string& path, std::string* error) const;
  // index, qualified name, host name, value, display text.
  void list(std::ostream& out);

  // The plug-in's own version number (1210 for 1.2.1).
  int pluginVersion() const;
  // The program name the state came with (a .fxp preset's), else the plug-in's own.
  std::string programName() const { return templateEffect->programName(); }

  bool isSorel() const { return sorel; }
  const std::vector<float>& values() const { return state; }
  VstInt32 uniqueID() const { return id; }

 private:
  Session() = default;
  bool applyPreset(const std::string& path, std::string* error);
  bool applySettings(const std::vector<Setting>& settings, std::string* error);
  void capture();

  std::shared_ptr<PluginLibrary> library;
  Host templateHost;
  std::unique_ptr<HostedEffect> templateEffect;  // holds the state
  std::vector<float> state;
  std::vector<unsigned char> chunk;  // empty when the plug-in keeps no chunks
  bool sorel = false;
  VstInt32 id = 0;
};

}  // namespace sorel::host
