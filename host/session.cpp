#include "session.h"

#include <algorithm>
#include <cstdio>

#include "effectpreset.h"
#include "parameters.h"
#include "paramnames.h"
#include "preset.h"

namespace sorel::host {
namespace {

constexpr VstInt32 kSorelID = kFourCC('S', 'O', 'R', 'L');

// "#12". Built by appending: GCC 12 takes "#" + std::to_string(i) for an
// overlapping copy (-Wrestrict) in optimised builds.
std::string indexName(int i) {
  std::string name = "#";
  name += std::to_string(i);
  return name;
}

// Why a setting's name finds no parameter: an index out of range, or the
// nearest names.
std::string unknownParameter(const std::string& name, int count, bool sorel) {
  const std::string last = indexName(count - 1);
  if (name.size() > 1 && name[0] == '#' && name.find_first_not_of("0123456789", 1) == std::string::npos)
    return "parameter " + name + " is out of range: this plug-in's parameters are #0 to " + last;
  std::string error = "unknown parameter '" + name + "'";
  if (!sorel) return error + "; this plug-in's parameters are addressed as #0 to " + last;
  const auto near = nearestParameterNames(name);
  error += "; did you mean";
  for (std::size_t i = 0; i < near.size(); ++i) error += (i ? ", " : " ") + near[i];
  return error + "? (--list shows all)";
}

}  // namespace

std::unique_ptr<Session> Session::create(const std::string& pluginPath, const std::string& presetPath,
                                         const std::vector<Setting>& settings, std::string* error) {
  std::unique_ptr<Session> s(new Session);
  s->library = PluginLibrary::open(pluginPath, error);
  if (!s->library) return nullptr;
  s->templateEffect = HostedEffect::create(s->library, s->templateHost, error);
  if (!s->templateEffect) return nullptr;
  AEffect* e = s->templateEffect->effect();
  s->id = e->uniqueID;
  s->sorel = e->uniqueID == kSorelID && e->numParams == kNumParams;
  s->templateEffect->dispatch(effOpen);
  if (!presetPath.empty() && !s->applyPreset(presetPath, error)) return nullptr;
  if (!s->applySettings(settings, error)) return nullptr;
  s->capture();
  return s;
}

// The preset goes into a scratch instance first: only a chunk the plug-in
// takes whole ever reaches the state.
bool Session::applyPreset(const std::string& path, std::string* error) {
  Preset preset;
  if (!readPresetFile(path, preset, error)) return false;
  if (preset.uniqueID != id) {
    if (error)
      *error =
          path + " is a preset for plug-in '" + fourCharacters(preset.uniqueID) + "', not '" + fourCharacters(id) + "'";
    return false;
  }
  Host scratchHost;
  auto scratch = HostedEffect::create(library, scratchHost, error);
  if (!scratch) return false;
  if (scratch->setChunk(preset.chunk) != static_cast<VstIntPtr>(preset.chunk.size()) || preset.chunk.empty()) {
    if (error) *error = path + ": the plug-in refused the state this preset carries";
    return false;
  }
  // A chunk may carry values no control can set (out of range, NaN, a
  // switch half on); the plug-in keeps them as they are, so they are refused
  // here, by the rule -s follows.
  for (int i = 0; i < scratch->numParams(); ++i) {
    const float v = scratch->getParameter(i);
    const std::string problem = sorel ? valueProblem(i, v) : v >= 0.0f && v <= 1.0f ? "" : "must lie between 0 and 1";
    if (problem.empty()) continue;
    if (error) {
      char value[32];
      std::snprintf(value, sizeof value, "%g", static_cast<double>(v));
      const std::string name = sorel ? kParamTable[i].qualified : indexName(i);
      *error = path + ": parameter " + name + " ('" + scratch->paramName(i) + "') holds " + value + "; it " + problem +
               ", so the preset is refused";
    }
    return false;
  }
  templateEffect->setChunk(preset.chunk);
  if (preset.kind == PresetKind::kProgram && !preset.programName.empty()) {
    std::string name = preset.programName;
    templateEffect->dispatch(effSetProgramName, 0, 0, name.data());
  }
  return true;
}

// Range switches go first, so that "dB" means the range the file will use.
bool Session::applySettings(const std::vector<Setting>& settings, std::string* error) {
  const int count = templateEffect->numParams();
  struct Resolved {
    int index;
    const Setting* setting;
  };
  std::vector<Resolved> resolved;
  for (const Setting& s : settings) {
    std::optional<int> index = sorel ? findParameter(s.name, count) : std::nullopt;
    if (!index && !s.name.empty() && s.name[0] == '#') index = findParameter(s.name, count);
    if (!index) {
      if (error) *error = unknownParameter(s.name, count, sorel);
      return false;
    }
    resolved.push_back({*index, &s});
  }
  std::stable_partition(resolved.begin(), resolved.end(),
                        [this](const Resolved& r) { return sorel && (r.index == kInRange || r.index == kOutRange); });
  for (const Resolved& r : resolved) {
    const int index = r.index;
    const std::string& text = r.setting->value;
    std::vector<float> current(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) current[static_cast<std::size_t>(i)] = templateEffect->getParameter(i);
    std::string why;
    std::optional<float> value;
    if (sorel) {
      value = parseParameterValue(index, text, current, &why);
    } else {
      char* end = nullptr;
      const float v = std::strtof(text.c_str(), &end);
      if (end && *end == 0 && !text.empty() && v >= 0.0f && v <= 1.0f) value = v;
      why = "this plug-in takes normalised values between 0 and 1";
    }
    if (!value) {
      if (error) *error = "bad value '" + text + "' for " + r.setting->name + ": " + why;
      return false;
    }
    templateEffect->setParameter(index, *value);
  }
  return true;
}

void Session::capture() {
  const int count = templateEffect->numParams();
  state.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) state[static_cast<std::size_t>(i)] = templateEffect->getParameter(i);
  if (templateEffect->effect()->flags & effFlagsProgramChunks) chunk = templateEffect->getChunk();
}

std::unique_ptr<HostedEffect> Session::instance(Host& host, int channels, float sampleRate, int blockSize,
                                                std::string* error) const {
  auto fx = HostedEffect::create(library, host, error);
  if (!fx) return nullptr;
  fx->dispatch(effOpen);
  fx->dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  fx->dispatch(effSetBlockSize, 0, blockSize);
  if (!fx->setChannels(channels) && channels == 1) {
    if (error) *error = "the plug-in does not take a one-channel input";
    return nullptr;
  }
  if (!chunk.empty()) {
    if (fx->setChunk(chunk) != static_cast<VstIntPtr>(chunk.size())) {
      if (error) *error = "the plug-in refused its own state";
      return nullptr;
    }
  } else {
    for (std::size_t i = 0; i < state.size(); ++i) fx->setParameter(static_cast<VstInt32>(i), state[i]);
  }
  fx->resume();
  return fx;
}

bool Session::savePreset(const std::string& path, std::string* error) const {
  return writeEffectPreset(*templateEffect, path, error);
}

int Session::pluginVersion() const {
  const VstIntPtr vendor = templateEffect->dispatch(effGetVendorVersion);
  return static_cast<int>(vendor ? vendor : templateEffect->effect()->version);
}

void Session::list(std::ostream& out) {
  char line[256];
  std::snprintf(line, sizeof line, "%-5s %-22s %-16s %-10s %s\n", "index", "name", "host name", "value", "display");
  out << line;
  for (int i = 0; i < templateEffect->numParams(); ++i) {
    const std::string qualified = sorel ? kParamTable[i].qualified : indexName(i);
    // The value as -s takes it: a name for switches and choices, else normalised.
    const float v = templateEffect->getParameter(i);
    const std::optional<std::string> named = sorel ? choiceName(i, v) : std::nullopt;
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", static_cast<double>(v));
    std::snprintf(line, sizeof line, "%-5d %-22s %-16s %-10s %s", i, qualified.c_str(),
                  templateEffect->paramName(i).c_str(), named ? named->c_str() : value,
                  templateEffect->paramDisplay(i).c_str());
    std::string row = line;
    if (sorel && isInert(i)) {
      row.resize(std::max<std::size_t>(row.size() + 1, 72), ' ');
      row += "inert";
    }
    out << row << '\n';
  }
  if (sorel)
    out << "inert: stored, saved and shown, but changes nothing in the sound. The display is the plug-in's own "
           "text (side.chili.x1 to x3 show a plain number where the other X values show percent).\n";
}

}  // namespace sorel::host
