#include "effectpreset.h"

#include <filesystem>

#include "preset.h"

namespace sorel::host {

bool canWriteEffectPreset(HostedEffect& effect, const std::string& path, std::string* error) {
  PresetKind kind = PresetKind::kProgram;
  if (!presetKindFromPath(path, kind)) {
    if (error) *error = "a preset file must end in .fxp (one program) or .fxb (bank): " + path;
    return false;
  }
  if (!(effect.effect()->flags & effFlagsProgramChunks)) {
    if (error) *error = "this plug-in keeps no state chunk; only chunk presets can be written";
    return false;
  }
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ignored;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ignored)) {
    if (error) *error = "the folder of " + path + " does not exist";
    return false;
  }
  return true;
}

bool writeEffectPreset(HostedEffect& effect, const std::string& path, std::string* error) {
  if (!canWriteEffectPreset(effect, path, error)) return false;
  Preset preset;
  presetKindFromPath(path, preset.kind);
  const AEffect* e = effect.effect();
  preset.uniqueID = e->uniqueID;
  preset.pluginVersion = e->version;
  preset.count = preset.kind == PresetKind::kProgram ? e->numParams : e->numPrograms;
  preset.programName = effect.programName();
  preset.chunk = effect.getChunk();
  if (preset.chunk.empty()) {
    if (error) *error = "the plug-in gave no state chunk; " + path + " is not written";
    return false;
  }
  return writePresetFile(path, preset, error);
}

}  // namespace sorel::host
