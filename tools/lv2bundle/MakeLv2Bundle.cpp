// Writes the LV2 bundle's description from the instrument itself: the
// ports from its parameter table, the factory programs as presets.
//   make_lv2_bundle OUTPUT-FOLDER
#include "framework/Lv2Instrument.h"
#include "framework/VstPlugin.h"
#include "instrument/Lv2Identity.h"
#include "instrument/OrvEffect.h"
#include "instrument/ProductSite.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

using namespace orv::framework;
using namespace orv::instrument;

namespace {

const char* const kPrefixes = R"(@prefix atom:  <http://lv2plug.in/ns/ext/atom#> .
@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .
@prefix doap:  <http://usefulinc.com/ns/doap#> .
@prefix foaf:  <http://xmlns.com/foaf/0.1/> .
@prefix ia:    <http://lv2plug.in/ns/ext/instance-access#> .
@prefix lv2:   <http://lv2plug.in/ns/lv2core#> .
@prefix midi:  <http://lv2plug.in/ns/ext/midi#> .
@prefix opts:  <http://lv2plug.in/ns/ext/options#> .
@prefix pset:  <http://lv2plug.in/ns/ext/presets#> .
@prefix rdf:   <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .
@prefix rdfs:  <http://www.w3.org/2000/01/rdf-schema#> .
@prefix state: <http://lv2plug.in/ns/ext/state#> .
@prefix ui:    <http://lv2plug.in/ns/extensions/ui#> .
@prefix urid:  <http://lv2plug.in/ns/ext/urid#> .
@prefix xsd:   <http://www.w3.org/2001/XMLSchema#> .

)";

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    }
    return out + "\"";
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    std::string s = text;
    if (s.find_first_of(".eEn") == std::string::npos)
        s += ".0";
    return s;
}

std::string PresetUri(int program)
{
    return std::string(kLv2PluginUri) + "#preset" + std::to_string(program + 1);
}

void WriteManifest(std::ostream& out, int programCount)
{
    out << kPrefixes;
    out << "<" << kLv2PluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << kLv2BinaryName
        << "> ;\n    rdfs:seeAlso <orv.ttl> .\n\n";
    out << "<" << kLv2PanelUri << ">\n    a ui:X11UI ;\n    ui:binary <" << kLv2BinaryName
        << "> ;\n    rdfs:seeAlso <orv.ttl> .\n";
    for (int p = 0; p < programCount; ++p) {
        out << "\n<" << PresetUri(p) << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kLv2PluginUri
            << "> ;\n    rdfs:seeAlso <presets.ttl> .\n";
    }
}

void WriteControlPort(std::ostream& out, const Parameter& parameter, uint32_t index)
{
    out << "        a lv2:InputPort, lv2:ControlPort ;\n";
    out << "        lv2:index " << index << " ;\n";
    out << "        lv2:symbol " << Quoted(Lv2PortSymbol(parameter.name)) << " ;\n";
    out << "        lv2:name " << Quoted(parameter.name) << " ;\n";
    // A new instance plays its first program, as through VST 2: the ports
    // start at that program's values (hosts set the ports first).
    out << "        lv2:default " << Number(static_cast<float>(parameter.value)) << " ;\n";
    out << "        lv2:minimum " << Number(parameter.minimum) << " ;\n";
    out << "        lv2:maximum " << Number(parameter.maximum);
    if (parameter.IsStepped()) {
        out << " ;\n        lv2:portProperty lv2:integer";
        if (parameter.HasDisplayTexts())
            out << ", lv2:enumeration";
        for (const DisplayText& text : parameter.displayTexts)
            out << " ;\n        lv2:scalePoint [ rdfs:label " << Quoted(text.text) << " ; rdf:value " << text.value
                << " ]";
    }
    out << "\n";
}

// Called on a new instance, before any other program is chosen.
void WritePlugin(std::ostream& out, VstPlugin& plugin)
{
    out << kPrefixes;
    out << "<" << kLv2PluginUri << ">\n";
    out << "    a lv2:InstrumentPlugin, lv2:Plugin ;\n";
    out << "    doap:name " << Quoted(kProductName) << " ;\n";
    out << "    doap:maintainer [ foaf:name \"Tarnwick\" ; foaf:homepage <" << kMakerSiteUrl << "> ] ;\n";
    out << "    doap:revision \"" << ORV_VERSION_TEXT << "\" ;\n";
    out << "    lv2:minorVersion " << ORV_VERSION_MINOR << " ;\n";
    out << "    lv2:microVersion " << ORV_VERSION_PATCH << " ;\n";
    out << "    lv2:requiredFeature urid:map ;\n";
    out << "    lv2:optionalFeature lv2:hardRTCapable, opts:options ;\n";
    out << "    opts:supportedOption bufsz:maxBlockLength ;\n";
    out << "    lv2:extensionData state:interface ;\n";
    out << "    ui:ui <" << kLv2PanelUri << "> ;\n";
    out << "    lv2:port [\n";
    out << "        a lv2:InputPort, atom:AtomPort ;\n";
    out << "        atom:bufferType atom:Sequence ;\n";
    out << "        atom:supports midi:MidiEvent ;\n";
    out << "        lv2:designation lv2:control ;\n";
    out << "        lv2:index " << Lv2Ports::kMidiIn << " ;\n";
    out << "        lv2:symbol \"midi_in\" ;\n";
    out << "        lv2:name \"MIDI In\"\n";
    out << "    ] , [\n";
    out << "        a lv2:OutputPort, lv2:AudioPort ;\n";
    out << "        lv2:index " << Lv2Ports::kLeftOut << " ;\n";
    out << "        lv2:symbol \"out_left\" ;\n";
    out << "        lv2:name \"Left\"\n";
    out << "    ] , [\n";
    out << "        a lv2:OutputPort, lv2:AudioPort ;\n";
    out << "        lv2:index " << Lv2Ports::kRightOut << " ;\n";
    out << "        lv2:symbol \"out_right\" ;\n";
    out << "        lv2:name \"Right\"\n";
    const std::vector<int> parameters = Lv2ControlParameters(plugin);
    for (size_t i = 0; i < parameters.size(); ++i) {
        out << "    ] , [\n";
        WriteControlPort(out, plugin.GetParameter(parameters[i]), Lv2Ports::kFirstControl + static_cast<uint32_t>(i));
    }
    out << "    ] .\n\n";
    out << "<" << kLv2PanelUri << ">\n";
    out << "    a ui:X11UI ;\n";
    out << "    lv2:requiredFeature ui:parent, ia:instance-access ;\n";
    out << "    lv2:optionalFeature ui:resize ;\n";
    out << "    lv2:extensionData ui:idleInterface .\n";
}

void WritePresets(std::ostream& out, VstPlugin& plugin)
{
    vst::AEffect* effect = plugin.Effect();
    const std::vector<int> parameters = Lv2ControlParameters(plugin);
    out << kPrefixes;
    for (int p = 0; p < plugin.ProgramCount(); ++p) {
        effect->dispatcher(effect, vst::effSetProgram, 0, p, nullptr, 0.0f);
        out << "<" << PresetUri(p) << ">\n";
        out << "    a pset:Preset ;\n";
        out << "    lv2:appliesTo <" << kLv2PluginUri << "> ;\n";
        out << "    rdfs:label " << Quoted(plugin.GetProgramName(p)) << " ;\n";
        out << "    state:state [ <" << kLv2PluginUri << kLv2ProgramKeySuffix << "> \"" << p << "\"^^xsd:int ]";
        for (int index : parameters) {
            const Parameter& parameter = plugin.GetParameter(index);
            out << " ;\n    lv2:port [ lv2:symbol " << Quoted(Lv2PortSymbol(parameter.name)) << " ; pset:value "
                << Number(static_cast<float>(parameter.value)) << " ]";
        }
        out << " .\n\n";
    }
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "make_lv2_bundle: cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_lv2_bundle OUTPUT-FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    vst::AEffect* effect = CreateOrvEffect(nullptr);
    if (effect == nullptr) {
        std::cerr << "make_lv2_bundle: the instrument could not be made\n";
        return 1;
    }
    VstPlugin& plugin = *VstPlugin::FromEffect(effect);
    std::ostringstream manifest, description, presets;
    WriteManifest(manifest, plugin.ProgramCount());
    WritePlugin(description, plugin);
    WritePresets(presets, plugin);
    effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
    const bool written = WriteFile(folder + "/manifest.ttl", manifest.str()) &&
                         WriteFile(folder + "/orv.ttl", description.str()) &&
                         WriteFile(folder + "/presets.ttl", presets.str());
    return written ? 0 : 1;
}
