// Writes the bundle's Turtle files from the parameter model and the effect:
// manifest.ttl, sorel.ttl (both variants, every port) and presets.ttl (the
// effect's programs). Runs on the build machine at build time.
//
// Usage: sorel-lv2-ttlgen OUTDIR DSP-BINARY UI-BINARY|- VERSION
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "bundle.h"
#include "plug.h"
#include "volume.h"

namespace sorel::lv2 {
namespace {

constexpr char kPrefixes[] =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// A float as a Turtle number that reads back as the same float.
std::string number(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
  std::string s = text;
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

// A Turtle string literal (the names hold no quote or backslash, but a name
// that one day does stays well-formed).
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// The port symbol: the qualified name with '.' as '_' ("stereo.salt.on" is
// "stereo_salt_on"); qualified names hold no '_', so symbols stay unique.
std::string symbolOf(int index) {
  std::string s = kParamTable[index].qualified;
  for (char& c : s)
    if (c == '.') c = '_';
  return s;
}

// The name a host lists: the effect's own name, with the set it belongs to
// where that name leaves it out ("Salt" of the Mid set is "Mid Salt").
std::string nameOf(int index) {
  std::string name = kParamTable[index].name;
  const char* set = index >= kSideBase && index < kSideBase + kParamsPerSet       ? "Side"
                    : index >= kMidBase && index < kMidBase + kParamsPerSet       ? "Mid"
                    : index >= kStereoBase && index < kStereoBase + kParamsPerSet ? "Stereo"
                                                                                  : nullptr;
  if (set && name.find(set) == std::string::npos) name = std::string(set) + " " + name;
  return name;
}

// A volume port holds a position, not decibels: what it means depends on
// its range switch, so no fixed unit fits; the comment gives the law.
std::string volumeComment() {
  char text[160];
  std::snprintf(text, sizeof text,
                "Position 0..1, linear in dB: 0.5 is 0 dB, the ends are -/+%.2f dB, or -/+%.2f dB with the range "
                "switch on",
                volumeLimitDb(false), volumeLimitDb(true));
  return text;
}

void writeControlPort(std::ostream& out, int index) {
  const ParamRow& row = kParamTable[index];
  const auto choices = choicesOf(index);
  out << "    [\n      a lv2:InputPort , lv2:ControlPort ;\n      lv2:index " << index << " ;\n      lv2:symbol \""
      << symbolOf(index) << "\" ;\n      lv2:name " << quoted(nameOf(index)) << " ;\n      lv2:default "
      << number(row.defaultValue) << " ;\n      lv2:minimum 0.0 ;\n      lv2:maximum "
      << number(choices.empty() ? 1.0f : choices.back().encoding) << " ;\n";
  if (row.kind == ParamKind::kSwitch) out << "      lv2:portProperty lv2:toggled ;\n";
  if (row.kind == ParamKind::kPage || row.kind == ParamKind::kAntiAlias)
    out << "      lv2:portProperty lv2:enumeration ;\n";
  for (const Choice& c : choices)
    out << "      lv2:scalePoint [ rdfs:label " << quoted(c.name) << " ; rdf:value " << number(c.encoding) << " ] ;\n";
  if (index == kVolIn || index == kVolOut) out << "      rdfs:comment " << quoted(volumeComment()) << " ;\n";
  out << "    ] ,\n";
}

void writeAudioPorts(std::ostream& out, const Variant& v) {
  static constexpr const char* kSides[] = {"l", "r"};
  for (int direction = 0; direction < 2; ++direction) {
    for (int c = 0; c < v.channels; ++c) {
      const std::string symbol =
          std::string(direction ? "out" : "in") + (v.channels > 1 ? std::string("_") + kSides[c] : "");
      out << "    [\n      a lv2:" << (direction ? "OutputPort" : "InputPort") << " , lv2:AudioPort ;\n      lv2:index "
          << kFirstAudioPort + static_cast<std::uint32_t>(direction * v.channels + c) << " ;\n      lv2:symbol \""
          << symbol << "\" ;\n      lv2:name \"" << symbol << "\" ;\n    ]"
          << (direction == 1 && c == v.channels - 1 ? " .\n" : " ,\n");
    }
  }
}

void writePlugin(std::ostream& out, const Variant& v, const std::string& version, bool withUi) {
  int major = 0, minor = 0, micro = 0;
  std::sscanf(version.c_str(), "%d.%d.%d", &major, &minor, &micro);
  out << "<" << v.uri << ">\n  a lv2:Plugin , lv2:WaveshaperPlugin ;\n  doap:name " << quoted(v.name)
      << " ;\n  doap:maintainer [ foaf:name \"Kestrune\" ] ;\n  lv2:minorVersion " << major * 100 + minor
      << " ;\n  lv2:microVersion " << micro << " ;\n  lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
      << "  lv2:extensionData state:interface ;\n";
  if (withUi) out << "  ui:ui <" << kUiUri << "> ;\n";
  out << "  lv2:port\n";
  for (int i = 0; i < kNumParams; ++i) writeControlPort(out, i);
  out << "    [\n      a lv2:OutputPort , lv2:ControlPort ;\n      lv2:index " << kLatencyPort
      << " ;\n      lv2:symbol \"latency\" ;\n      lv2:name \"latency\" ;\n      lv2:designation lv2:latency ;\n"
      << "      lv2:portProperty lv2:reportsLatency , lv2:integer , lv2:connectionOptional ;\n"
      << "      lv2:minimum 0 ;\n      units:unit units:frame ;\n    ] ,\n";
  writeAudioPorts(out, v);
  out << "\n";
}

std::string presetUri(const Variant& v, int program) {
  return std::string(v.uri) + ":preset:" + std::to_string(program);
}

// Every program of a fresh effect, as a preset of each variant.
void writePresets(std::ostream& presets, std::ostream& manifest) {
  CPlug plug(nullptr);
  for (const Variant& v : kVariants) {
    for (int p = 0; p < CPlug::kNumPrograms; ++p) {
      char name[kProgramNameSize] = {};
      plug.getProgramNameIndexed(0, p, name);
      plug.setProgram(p);
      manifest << "<" << presetUri(v, p) << ">\n  a pset:Preset ;\n  lv2:appliesTo <" << v.uri
               << "> ;\n  rdfs:seeAlso <presets.ttl> .\n\n";
      presets << "<" << presetUri(v, p) << ">\n  a pset:Preset ;\n  lv2:appliesTo <" << v.uri << "> ;\n  rdfs:label "
              << quoted(name) << " ;\n  lv2:port\n";
      for (int i = 0; i < kNumParams; ++i)
        presets << "    [ lv2:symbol \"" << symbolOf(i) << "\" ; pset:value " << number(plug.getParameter(i)) << " ]"
                << (i + 1 < kNumParams ? " ,\n" : " .\n\n");
    }
  }
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << kPrefixes << text;
  file.close();
  if (!file) std::cerr << "sorel-lv2-ttlgen: cannot write " << path << "\n";
  return static_cast<bool>(file);
}

}  // namespace
}  // namespace sorel::lv2

int main(int argc, char** argv) {
  using namespace sorel::lv2;
  if (argc != 5) {
    std::cerr << "usage: sorel-lv2-ttlgen OUTDIR DSP-BINARY UI-BINARY VERSION\n";
    return 2;
  }
  const std::string dir = argv[1], dsp = argv[2], ui = argv[3], version = argv[4];
  std::ostringstream manifest, plugins, presets;
  for (const Variant& v : kVariants)
    manifest << "<" << v.uri << ">\n  a lv2:Plugin ;\n  lv2:binary <" << dsp << "> ;\n  rdfs:seeAlso <sorel.ttl> .\n\n";
  // "-" for a build without the editor's UI binary.
  const bool withUi = ui != "-";
  if (withUi)
    manifest << "<" << kUiUri << ">\n  a ui:X11UI ;\n  ui:binary <" << ui << "> ;\n  rdfs:seeAlso <sorel.ttl> .\n\n";
  for (const Variant& v : kVariants) writePlugin(plugins, v, version, withUi);
  if (withUi)
    plugins << "<" << kUiUri << ">\n  a ui:X11UI ;\n  lv2:requiredFeature ui:parent ;\n"
            << "  lv2:optionalFeature ui:resize , ui:noUserResize , ui:touch , "
               "<http://lv2plug.in/ns/ext/instance-access> ;\n"
            << "  lv2:extensionData ui:idleInterface , ui:resize .\n";
  writePresets(presets, manifest);
  const bool ok = writeFile(dir + "/manifest.ttl", manifest.str()) && writeFile(dir + "/sorel.ttl", plugins.str()) &&
                  writeFile(dir + "/presets.ttl", presets.str());
  return ok ? 0 : 1;
}
