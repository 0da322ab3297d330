#pragma once

#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/escaped_text.h"
#include "sheet/cell_text.h"
#include "sheet/stored_workbook.h"

namespace quill::test {

// One part of a zip package written by writeZip: its name, content and compression method.
struct ZipPart {
  std::string name;
  std::string content;
  zip_int32_t method = ZIP_CM_DEFLATE;
};

// Writes a zip package with libzip.
inline void writeZip(const std::filesystem::path& path, const std::vector<ZipPart>& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create " + path.string());
  for (const ZipPart& part : parts) {
    zip_source_t* source = zip_source_buffer(archive, part.content.data(), part.content.size(), 0);
    zip_int64_t index = zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), part.method, 0) != 0) {
      zip_discard(archive);
      throw std::runtime_error("cannot add " + part.name);
    }
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot write " + path.string());
}

// The content.xml of a spreadsheet document whose office:spreadsheet holds the given XML.
inline std::string odsContent(const std::string& spreadsheet) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>)"
         R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
         R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
         R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
         R"( xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0")"
         R"( xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.2">)"
         R"(<office:body><office:spreadsheet>)" +
         spreadsheet + "</office:spreadsheet></office:body></office:document-content>";
}

// Writes an .ods package around a content.xml.
inline void writeOds(const std::filesystem::path& path, const std::string& content,
                     const std::string& manifest = "") {
  std::vector<ZipPart> parts = {
      {"mimetype", "application/vnd.oasis.opendocument.spreadsheet", ZIP_CM_STORE},
      {"content.xml", content}};
  if (!manifest.empty()) parts.push_back({"META-INF/manifest.xml", manifest});
  writeZip(path, parts);
}

// Every non-empty cell as "Sheet!A1=text" lines, the way the cells listing orders them.
inline std::string cellListing(const StoredWorkbook& workbook) {
  std::string out;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    sheet.forEachCell([&](long row, long column, std::string_view text) {
      out +=
          sheet.name() + "!" + cellAddress(row, column) + "=" + test::escapedText(text) + "\n";
    });
  }
  return out;
}

}  // namespace quill::test
