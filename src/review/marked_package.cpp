#include "review/marked_package.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

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
  std::string extension = path.extension().string();
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return extension;
}

std::string freeListingPart(const ZipArchive& zip, const std::string& workbookPart) {
  const std::string folder = workbookPart.substr(0, workbookPart.rfind('/') + 1) + "worksheets/";
  for (int n = 1;; ++n) {
    const std::string name = folder + "reviewDifferences" + std::to_string(n) + ".xml";
    if (!xlsx::hasPart(zip, name)) return name;
  }
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

bool writeMarkedPackage(const ReviewResult& result, const fs::path& second, const fs::path& path) {
  const ZipArchive zip(second.string());
  const xlsx::WorkbookPart book = xlsx::readWorkbookPart(zip);
  if (book.stylesPart.empty() || !xlsx::hasPart(zip, book.stylesPart)) return false;
  // A workbook naming a part the package lacks is one other readers refuse: written anew.
  // Names are matched exactly, as those readers match them.
  const std::vector<std::string> entries = zip.names();
  for (const xlsx::Relationship& relationship : xlsx::readRelationships(zip, book.part))
    if (!relationship.external &&
        std::find(entries.begin(), entries.end(), relationship.target) == entries.end())
      return false;
  const WorkbookSheets sheets = readWorkbookSheets(zip, book.part);
  if (sheets.strict) return false;
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
