#include "formats/macros/macro_modules.h"

#include <algorithm>

#include "formats/encrypted_workbook.h"
#include "formats/format_probe.h"
#include "formats/macros/ovba_compression.h"
#include "formats/macros/project_directory.h"
#include "formats/macros/project_storage.h"
#include "formats/package/zip_archive.h"
#include "formats/xls/codepage.h"
#include "formats/xlsx/xlsx_package.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxProjectPart = std::uint64_t(256) << 20;
constexpr std::uint64_t kMaxDirectoryStream = std::uint64_t(16) << 20;
// A module stream holds compiled code before its compressed source.
constexpr std::uint64_t kMaxModuleStream = std::uint64_t(64) << 20;
constexpr std::uint64_t kMaxModuleStreams = std::uint64_t(256) << 20;  // all of them
constexpr std::uint64_t kMaxProjectText = std::uint64_t(64) << 20;     // all of them

// Runs a step of the reading, putting what it concerns before its reason.
template <class Step>
auto concerning(const std::string& what, Step&& step) {
  try {
    return step();
  } catch (const MacroProjectError& error) {
    throw MacroProjectError(what + ": " + error.what());
  }
}

// The same text with each line ended by "\n" (Windows' "\r\n" and a lone "\r" alike).
std::string withNewlines(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t stop = std::min(text.find('\r', start), text.size());
    out.append(text.substr(start, stop - start));
    if (stop == text.size()) break;
    out.push_back('\n');
    start = stop + (stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1);
  }
  return out;
}

// What the modules read so far have taken: a directory that lists one large stream many
// times over must not multiply the cost of reading it, nor of holding its text.
struct ProjectBudget {
  std::uint64_t streamBytes = 0;
  std::uint64_t textBytes = 0;
};

MacroModule readModule(const ProjectStorage& storage, const ModuleEntry& entry,
                       const xls::Codepage& codePage, ProjectBudget& budget) {
  return concerning("module \"" + entry.name + "\"", [&] {
    const std::string stream = storage.readVbaStream(
        entry.streamName, std::min(kMaxModuleStream, kMaxModuleStreams - budget.streamBytes));
    budget.streamBytes += stream.size();
    if (entry.textOffset > stream.size())
      throw MacroProjectError("its text offset lies past the end of its stream");
    const std::string text = decompressMacroContainer(
        std::string_view(stream).substr(entry.textOffset),
        std::min<std::uint64_t>(kMaxDecompressedMacroBytes, kMaxProjectText - budget.textBytes));
    budget.textBytes += text.size();
    std::string source;
    source.reserve(text.size());
    codePage.append(source, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return MacroModule{entry.name, withNewlines(source)};
  });
}

std::vector<MacroModule> readProject(const ProjectStorage& storage, const std::stop_token& stop) {
  const ProjectDirectory directory = concerning("its directory", [&] {
    return readProjectDirectory(
        decompressMacroContainer(storage.readVbaStream("dir", kMaxDirectoryStream)));
  });
  const xls::Codepage codePage(directory.codePage);
  std::vector<MacroModule> modules;
  ProjectBudget budget;
  for (const ModuleEntry& entry : directory.modules) {
    stopIfRequested(stop);
    if (budget.textBytes >= kMaxProjectText)
      throw MacroProjectError("its modules hold more than " +
                              std::to_string(kMaxProjectText >> 20) + " MiB of source");
    modules.push_back(readModule(storage, entry, codePage, budget));
  }
  return modules;
}

// The part of a package holding its macro project: the workbook part's vbaProject
// relationship, else xl/vbaProject.bin; "" when there is none.
std::string projectPart(const ZipArchive& package) {
  std::string workbookPart;
  if (xlsx::hasPart(package, "_rels/.rels")) {
    const auto relationships = xlsx::readRelationships(package, "");
    if (const auto* document = xlsx::findRelationship(relationships, "officeDocument"))
      workbookPart = document->target;
  }
  if (!workbookPart.empty() && xlsx::hasPart(package, xlsx::relationshipsPartName(workbookPart))) {
    const auto relationships = xlsx::readRelationships(package, workbookPart);
    const auto* project = xlsx::findRelationship(relationships, "vbaProject");
    if (project != nullptr && xlsx::hasPart(package, project->target)) return project->target;
  }
  return xlsx::hasPart(package, "xl/vbaProject.bin") ? "xl/vbaProject.bin" : "";
}

std::vector<MacroModule> readXlsProject(const std::string& path, const ReadOptions& options) {
  const auto storage = ProjectStorage::inFile(path, "_VBA_PROJECT_CUR", options.stop);
  return storage ? readProject(*storage, options.stop) : std::vector<MacroModule>{};
}

std::vector<MacroModule> readPackageProject(const ZipArchive& package, const ReadOptions& options) {
  const std::string part = projectPart(package);
  if (part.empty()) return {};
  return concerning("the part " + part, [&] {
    std::string bytes;
    // The workbook's reader has not read this part: its failures are the project's alone.
    try {
      bytes = package.readAll(xlsx::storedPartName(package, part), kMaxProjectPart);
    } catch (const MacroProjectError&) {
      throw;
    } catch (const WorkbookError& error) {
      throw MacroProjectError(error.what());
    }
    return readMacroProject(std::move(bytes), options);
  });
}

template <class Read>
std::vector<MacroModule> namingFile(const std::string& path, Read&& read) {
  return concerning("the macro project of \"" + path + "\" cannot be read", read);
}

}  // namespace

std::vector<MacroModule> readMacroProject(std::string compoundFile, const ReadOptions& options) {
  const auto storage = ProjectStorage::inBytes(std::move(compoundFile), options.stop);
  return readProject(*storage, options.stop);
}

std::vector<MacroModule> readMacroModules(const ZipArchive& package, const ReadOptions& options) {
  return namingFile(package.path(), [&] { return readPackageProject(package, options); });
}

std::vector<MacroModule> readMacroModules(const std::string& path, const ReadOptions& options) {
  switch (probeWorkbookFormat(path)) {
    case WorkbookFormat::Xls:
      return namingFile(path, [&] { return readXlsProject(path, options); });
    case WorkbookFormat::Xlsx:
    case WorkbookFormat::Xlsb:
      return readMacroModules(ZipArchive(path, options.stop), options);
    case WorkbookFormat::EncryptedPackage:
      return readMacroModules(ZipArchive(path, decryptedPackage(path, options), options.stop),
                              options);
    case WorkbookFormat::Ods:
    case WorkbookFormat::Csv:
      break;
  }
  return {};
}

void fillMacroModules(WorkbookContents& contents,
                      const std::function<std::vector<MacroModule>()>& read) {
  contents.read.macros = true;
  try {
    contents.macros = read();
    contents.macroProblem.clear();
  } catch (const MacroProjectError& error) {
    contents.macros.clear();
    contents.macroProblem = error.what();
  }
}

}  // namespace quill
