#include "review/marked_package.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "base/ascii_case.h"
#include "formats/package/zip_archive.h"
#include "formats/xlsx/xlsx_package.h"
#include "formats/xlsx/xlsx_workbook_part.h"
#include "report/file_writer.h"
#include "review/listing_part.h"
#include "review/mark_styles.h"
#include "review/marked_worksheet_part.h"
#include "review/package_copy.h"
#include "review/package_notes.h"
#include "review/package_workbook.h"
#include "review/sheet_names.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxStylesPart = std::uint64_t(1) << 28;

// The workbook part's content types (lower case) and the extension each asks of the file's
// name: a spreadsheet application opens a package only under the name its type fits.
constexpr std::pair<std::string_view, std::string_view> kWorkbookTypes[] = {
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml", ".xlsx"},
    {"application/vnd.ms-excel.sheet.macroenabled.main+xml", ".xlsm"},
    {"application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml", ".xltx"},
    {"application/vnd.ms-excel.template.macroenabled.main+xml", ".xltm"},
};

// A file written piece by piece through a large buffer; removed again when its owner goes.
class ScratchFile {
 public:
  explicit ScratchFile(fs::path path) : path_(std::move(path)) {
    file_ = std::fopen(path_.c_str(), "wb");
    if (file_ == nullptr) fail();
    buffer_ = std::make_unique<char[]>(kBuffer);
    std::setvbuf(file_, buffer_.get(), _IOFBF, kBuffer);
  }
  ~ScratchFile() {
    if (file_ != nullptr) std::fclose(file_);
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const fs::path& path() const { return path_; }
  void write(std::string_view piece) {
    if (std::fwrite(piece.data(), 1, piece.size(), file_) != piece.size()) fail();
  }
  void close() {
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) fail();
  }

 private:
  static constexpr std::size_t kBuffer = std::size_t(1) << 20;
  [[noreturn]] void fail() const { throw WriteError(std::strerror(errno)); }

  fs::path path_;
  FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
};

std::string lowerExtension(const fs::path& path) {
  return asciiLowered(path.extension().string());
}

std::string freeListingPart(const ZipArchive& zip, const std::string& workbookPart) {
  const std::string folder = workbookPart.substr(0, workbookPart.rfind('/') + 1) + "worksheets/";
  for (int n = 1;; ++n) {
    const std::string name = folder + "reviewDifferences" + std::to_string(n) + ".xml";
    if (!xlsx::hasPart(zip, name)) return name;
  }
}

// Whether the marking can add to the package as it is written: it has a styles part, the
// workbook part names no part the package lacks (a workbook other readers refuse; names are
// matched exactly, as those readers match them) and it is not in the strict namespaces.
bool markableParts(const ZipArchive& zip, const xlsx::WorkbookPart& book) {
  if (book.stylesPart.empty() || !xlsx::hasPart(zip, book.stylesPart)) return false;
  const std::vector<std::string> entries = zip.names();
  for (const xlsx::Relationship& relationship : xlsx::readRelationships(zip, book.part))
    if (!relationship.external &&
        std::find(entries.begin(), entries.end(), relationship.target) == entries.end())
      return false;
  return !readWorkbookSheets(zip, book.part).strict;
}

}  // namespace

bool isMarkablePackage(const fs::path& second) {
  const std::string extension = lowerExtension(second);
  if (extension != ".xlsx" && extension != ".xlsm" && extension != ".xltx" && extension != ".xltm")
    return false;
  std::ifstream file(second, std::ios::binary);
  char magic[4] = {};
  file.read(magic, sizeof magic);
  return file && std::memcmp(magic, "PK\x03\x04", 4) == 0;
}

std::string reviewExtension(const fs::path& second) {
  if (!isMarkablePackage(second)) return ".xlsx";
  const ZipArchive zip(second.string());
  const xlsx::WorkbookPart book = xlsx::readWorkbookPart(zip);
  if (!markableParts(zip, book)) return ".xlsx";
  const std::string type = asciiLowered(contentTypeOf(zip, book.part));
  for (const auto& [typed, extension] : kWorkbookTypes)
    if (type == typed) return std::string(extension);
  return lowerExtension(second);
}

bool writeMarkedPackage(const ReviewResult& result, const fs::path& second, const fs::path& path) {
  const ZipArchive zip(second.string());
  const xlsx::WorkbookPart book = xlsx::readWorkbookPart(zip);
  if (!markableParts(zip, book)) return false;
  const WorkbookSheets sheets = readWorkbookSheets(zip, book.part);
  const std::string stylesEntry = xlsx::storedPartName(zip, book.stylesPart);
  MarkStyles styles(zip.readAll(stylesEntry, kMaxStylesPart),
                    "the part \"" + book.stylesPart + "\"");

  PackageCopy copy(second, path);
  PackageEdits edits;
  std::vector<std::unique_ptr<ScratchFile>> scratch;
  for (const auto& [position, marks] : result.marks) {
    if (position < 1 || std::size_t(position) > book.worksheets.size()) continue;
    const std::string& part = book.worksheets[std::size_t(position - 1)].part;
    const std::string drawingId = addNotes(zip, part, marks, edits);
    scratch.push_back(
        std::make_unique<ScratchFile>(path.string() + ".sheet" + std::to_string(position)));
    ScratchFile& out = *scratch.back();
    MarkedWorksheetPart handler(marks, styles, drawingId);
    XmlRewriter rewriter(
        handler, [&](std::string_view piece) { out.write(piece); }, "the part \"" + part + "\"");
    zip.read(xlsx::storedPartName(zip, part),
             [&](std::string_view chunk) { rewriter.feed(chunk); });
    rewriter.finish();
    out.close();
    copy.putFile(xlsx::storedPartName(zip, part), out.path());
  }

  std::vector<std::string> names2{""};
  for (const xlsx::WorksheetEntry& entry : book.worksheets) names2.push_back(entry.name);
  const std::string listingName = reviewSheetNames(sheets.names).front();
  const std::string listingPart = freeListingPart(zip, book.part);
  scratch.push_back(std::make_unique<ScratchFile>(path.string() + ".listing"));
  ScratchFile& listingOut = *scratch.back();
  ListingPart listing([&](std::string_view piece) { listingOut.write(piece); }, styles.bold());
  writeReviewListing(listing, result, names2);
  listing.finish();
  listingOut.close();
  copy.putFile(listingPart, listingOut.path());
  addListingSheet(zip, sheets, listingName, listingPart, edits);

  edits.put(stylesEntry, styles.rewritten());
  copy.putText(xlsx::storedPartName(zip, "[Content_Types].xml"), withContentTypes(zip, edits));
  for (auto& [part, text] : edits.parts) copy.putText(part, std::move(text));
  copy.close();
  return true;
}

}  // namespace quill
