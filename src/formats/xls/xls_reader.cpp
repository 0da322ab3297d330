#include "formats/xls/xls_reader.h"

#include <filesystem>
#include <new>
#include <optional>
#include <vector>

#include "formats/xls/book_contents.h"
#include "formats/xls/book_state.h"
#include "formats/xls/cell_reader.h"
#include "formats/xls/encrypted_stream.h"
#include "formats/xls/record_cursor.h"
#include "formats/xls/sheet_contents_reader.h"
#include "sheet/password_source.h"

namespace quill {

namespace xls {

namespace {

constexpr std::uint16_t kBof2 = 0x0009;
constexpr std::uint16_t kBof3 = 0x0209;
constexpr std::uint16_t kBof4 = 0x0409;
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kWsBool = 0x0081;

// What a BOF record says: the BIFF version and the kind of substream it opens.
constexpr std::uint16_t kGlobalsStream = 0x0005;
constexpr std::uint16_t kWorksheetStream = 0x0010;
constexpr std::uint16_t kWorkspaceStream = 0x0100;
struct Bof {
  Biff biff;
  std::uint16_t streamType;
};

bool isBof(std::uint16_t type) {
  return type == kBof || type == kBof2 || type == kBof3 || type == kBof4;
}

Bof readBof(const Record& record, StreamKind kind) {
  RecordCursor cursor(record);
  const std::uint16_t version = cursor.u16();
  const std::uint16_t streamType = cursor.u16();
  switch (record.type) {
    case kBof2:
      return {Biff::V2, streamType};
    case kBof3:
      return {Biff::V3, streamType};
    case kBof4:
      return {Biff::V4, streamType};
    default:
      break;
  }
  if (version == 0x0600) return {Biff::V8, streamType};
  if (version == 0x0500 || kind == StreamKind::Book) return {Biff::V5, streamType};
  return {Biff::V8, streamType};
}

// A worksheet as the workbook's BOUNDSHEET record lists it.
struct SheetEntry {
  std::string name;
  std::uint32_t offset;
  SheetVisibility visibility = SheetVisibility::Visible;
};

// Whether the tables that formula tokens refer to are read: for cells' formulas, and for
// the formulas of defined names.
bool readsFormulaTables(const BookState& book, const BookContents* contents) {
  return book.readFormulas || (contents != nullptr && contents->wanted().names);
}

// Reads a BOUNDSHEET record; nothing for a chart, macro or module sheet.
std::optional<SheetEntry> readBoundSheet(const Record& record, BookState& book,
                                         BookContents* contents) {
  RecordCursor cursor(record);
  SheetEntry entry;
  entry.offset = cursor.u32();
  entry.visibility = binarySheetVisibility(cursor.u8() & 0x03);  // hidden sheets are read too
  const std::uint8_t sheetType = cursor.u8();
  if (book.biff == Biff::V8)
    readUnicodeString(cursor, entry.name, 1);
  else
    readByteString(cursor, entry.name, 1, book.codepage);
  if (readsFormulaTables(book, contents)) book.formulaTables.addSheet(entry.name);
  if (contents != nullptr) contents->addSheet(entry.name);
  if (sheetType != 0) return std::nullopt;
  return entry;
}

// Reads the workbook globals up to their EOF; gives the worksheets in tab order.
std::vector<SheetEntry> readGlobals(RecordReader& reader, BookState& book, BookContents* contents) {
  const bool readTables = readsFormulaTables(book, contents);
  std::vector<SheetEntry> sheets;
  Record record;
  while (true) {
    // Globals that stop short of their end mark were cut off: reading them as a workbook
    // with fewer sheets would present a part of the file as the whole.
    if (!reader.next(record))
      throw WorkbookError("the workbook's records stop before their end mark (damaged file)");
    if (record.type == kEof) break;
    if (contents != nullptr) contents->read(record);
    if (readBookRecord(record, book)) continue;
    if (readTables && book.biff == Biff::V8 && book.formulaTables.read(record)) continue;
    if (record.type == kBoundSheet) {
      if (auto entry = readBoundSheet(record, book, contents)) sheets.push_back(std::move(*entry));
    } else if (record.type == kSst && book.biff == Biff::V8) {
      readSharedStrings(record, book);
    }
  }
  return sheets;
}

// Reads one worksheet's records, from its BOF to the matching EOF. Records of charts
// embedded in it (nested BOF to EOF) are passed over. Returns the bytes read.
std::uint64_t readWorksheet(RecordReader& reader, BookState& book, StoredWorkbook& workbook,
                            const SheetEntry& entry, BookContents* contents) {
  reader.seek(entry.offset);
  const std::uint64_t start = reader.position();
  Record record;
  if (!reader.next(record) || !isBof(record.type))
    throw WorkbookError("the records of sheet \"" + entry.name + "\" do not start where the " +
                        "workbook says (damaged file)");
  const Bof bof = readBof(record, StreamKind::Workbook);
  if (bof.streamType == kGlobalsStream)
    throw WorkbookError("sheet \"" + entry.name + "\" points back at the workbook's own records " +
                        "(damaged file)");
  if (bof.streamType != kWorksheetStream) return reader.position() - start;
  CellReader cells(book, workbook, entry.name);
  std::optional<SheetContentsReader> sheetContents;
  if (contents != nullptr) sheetContents.emplace(*contents, book, entry.name);
  int depth = 0;
  while (reader.next(record)) {
    if (isBof(record.type)) {
      ++depth;
    } else if (record.type == kEof) {
      if (depth-- == 0) break;
    } else if (depth == 0) {
      // A dialog sheet is stored as a worksheet with this flag; it is no worksheet.
      if (record.type == kWsBool && (RecordCursor(record).u16() & 0x0010) != 0) {
        cells.settle();
        return reader.position() - start;
      }
      cells.read(record);
      if (sheetContents) sheetContents->read(record);
    }
  }
  StoredSheet& sheet = cells.finish();
  if (sheetContents) {
    sheetContents->finish(sheet.contents());
    if (contents->wanted().hidden) sheet.contents().visibility = entry.visibility;
  }
  return reader.position() - start;
}

// Reads a BIFF2 to BIFF4 file: one worksheet whose records hold the formats and styles too.
void readBareWorksheet(RecordReader& reader, BookState& book, StoredWorkbook& workbook,
                       const std::string& name) {
  CellReader cells(book, workbook, name);
  Record record;
  while (reader.next(record) && record.type != kEof) {
    if (!readBookRecord(record, book)) cells.read(record);
  }
  cells.finish();
}

}  // namespace

std::unique_ptr<StoredWorkbook> readXlsStream(ByteSource& stream, StreamKind kind,
                                              const std::string& bareSheetName,
                                              const ReadOptions& options) {
  auto workbook = std::make_unique<StoredWorkbook>(options.keepSpaces);
  BookState book(workbook->arena());
  book.readFormulas = options.formulas;
  book.keepSpaces = options.keepSpaces;
  book.formulaTables.useCodepage(book.codepage);
  RecordReader reader(stream, options.stop);
  Record record;
  if (!reader.next(record) || !isBof(record.type))
    throw WorkbookError(
        "the workbook stream does not start with a BOF record (not an .xls "
        "workbook, or a damaged one)");
  const Bof bof = readBof(record, kind);
  book.biff = bof.biff;
  if (bof.streamType == kWorksheetStream) {
    readBareWorksheet(reader, book, *workbook, bareSheetName);
  } else if (bof.streamType == kWorkspaceStream) {
    throw WorkbookError(
        "a BIFF4 workbook of several sheets, a format that cannot be read: save "
        "it in a newer format");
  } else if (bof.streamType != kGlobalsStream) {
    throw WorkbookError("the file holds no worksheet, only a chart or a macro sheet");
  } else {
    std::optional<BookContents> contents;
    if (options.contents.any()) contents.emplace(options.contents, book, workbook->contents());
    BookContents* wanted = contents ? &*contents : nullptr;
    const std::vector<SheetEntry> sheets = readGlobals(reader, book, wanted);
    if (contents) {
      contents->finishGlobals(book.formulaTables);
      workbook->contents().read.recordReadBesidesMacros(options.contents);
    }
    // Sheets normally occupy disjoint parts of the stream; reading much more than the
    // whole stream means damaged offsets that send the reader round the same records.
    std::uint64_t bytesRead = 0;
    for (const SheetEntry& entry : sheets) {
      bytesRead += readWorksheet(reader, book, *workbook, entry, wanted);
      if (bytesRead > 2 * stream.size() + (1 << 20))
        throw WorkbookError("its sheets overlap in the workbook stream (damaged file)");
    }
  }
  workbook->finish();
  return workbook;
}

}  // namespace xls

std::unique_ptr<StoredWorkbook> readXlsWorkbook(const std::string& path,
                                                const ReadOptions& options) {
  try {
    xls::WorkbookStream stream = xls::openWorkbookStream(path);
    const std::string stem = std::filesystem::path(path).stem().string();
    if (std::optional<std::string> decrypted =
            xls::decryptedWorkbookStream(*stream.source, path, options)) {
      xls::MemorySource plain(*decrypted);
      return xls::readXlsStream(plain, stream.kind, stem, options);
    }
    return xls::readXlsStream(*stream.source, stream.kind, stem, options);
  } catch (const PasswordError&) {
    throw;
  } catch (const WorkbookError& error) {
    throw WorkbookError("\"" + path + "\": " + error.what());
  } catch (const std::bad_alloc&) {
    throw WorkbookError("\"" + path + "\": too large to be read into the memory available");
  }
}

}  // namespace quill
