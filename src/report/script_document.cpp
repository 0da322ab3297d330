#include "report/script_document.h"

#include "report/csv_renderer.h"
#include "report/json_renderer.h"
#include "report/plain_escapes.h"
#include "report/text_renderer.h"

namespace quill {

ScriptDocument::ScriptDocument(ScriptFormat format, ByteSink& out, bool folders, bool contents)
    : format_(format), out_(out), folders_(folders), contents_(contents) {
  if (format_ == ScriptFormat::Csv) out_.write(csvHeader(contents_));
  if (format_ == ScriptFormat::Json) out_.write(jsonDocumentStart());
}

std::unique_ptr<ScriptRenderer> ScriptDocument::renderer(ByteSink& out,
                                                         const RenderOptions& given) const {
  RenderOptions options = given;
  options.contents = options.contents || contents_;
  switch (format_) {
    case ScriptFormat::Text:
      return std::make_unique<TextRenderer>(out, options);
    case ScriptFormat::Csv:
      return std::make_unique<CsvRenderer>(out, options);
    case ScriptFormat::Json:
      break;
  }
  return std::make_unique<JsonRenderer>(out, options);
}

void ScriptDocument::beforeComparison() {
  // Text sections are set apart by an empty line, JSON objects by a comma.
  if (entries_ > 0 && format_ == ScriptFormat::Text) out_.write("\n");
  if (entries_ > 0 && format_ == ScriptFormat::Json) out_.write(kJsonSeparator);
}

void ScriptDocument::addedComparison(const ResultTotal& total) {
  total_ += total;
  ++entries_;
}

void ScriptDocument::addComparison(SpoolByteSink& rendering, const ResultTotal& total) {
  beforeComparison();
  rendering.copyTo(out_);
  addedComparison(total);
}

void ScriptDocument::addPathEntry(std::string_view relativePath, std::string_view state,
                                  std::string_view file1, std::string_view file2,
                                  std::string_view failure) {
  beforeComparison();
  ++entries_;
  failed_ += state == "failed" ? 1 : 0;
  added_ += state == "added" ? 1 : 0;
  removed_ += state == "removed" ? 1 : 0;
  switch (format_) {
    case ScriptFormat::Text: {
      std::string text = textSectionLine(relativePath);
      if (state == "added") text += "added (in the second folder only)\n";
      if (state == "removed") text += "removed (in the first folder only)\n";
      if (state == "failed") {
        text += "failed: ";
        appendTerminalText(text, failure, false);
        text += '\n';
      }
      out_.write(text);
      return;
    }
    case ScriptFormat::Csv: {
      const std::string kind = state == "failed" ? "failed" : "workbook " + std::string(state);
      out_.write(csvPathRecord(file1, file2, kind, failure, contents_));
      return;
    }
    case ScriptFormat::Json:
      out_.write(jsonPathObject(relativePath, state, file1, file2, failure));
      return;
  }
}

namespace {

std::string counted(long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string ScriptDocument::pathsText() const {
  return counted(failed_, "pair failed", "pairs failed") + ", " +
         counted(added_, "workbook added", "workbooks added") + ", " +
         counted(removed_, "workbook removed", "workbooks removed");
}

void ScriptDocument::end() {
  if (folders_ && format_ == ScriptFormat::Text) {
    const DifferenceCounts& counts = total_.counts;
    out_.write("\nOverall: " + counted(counts.cellsCompared, "cell", "cells") + " compared in " +
               counted(total_.sheetPairs, "sheet pair", "sheet pairs") + ", " +
               counted(counts.differences(), "difference", "differences") + " in " +
               std::to_string(total_.sheetPairsWithDifferences) + " of them; " + pathsText() +
               "\n");
  }
  if (folders_ && format_ == ScriptFormat::Csv)
    out_.write(csvTotalRecord("overall total", total_.counts, pathsText(), contents_));
  if (format_ != ScriptFormat::Json) return;
  std::string extra;
  if (folders_)
    extra = "\"pairsFailed\":" + std::to_string(failed_) +
            ",\"workbooksAdded\":" + std::to_string(added_) +
            ",\"workbooksRemoved\":" + std::to_string(removed_);
  out_.write(jsonDocumentEnd(total_, extra, contents_));
}

}  // namespace quill
