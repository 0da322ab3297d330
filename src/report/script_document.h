#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/result_tally.h"
#include "report/byte_sink.h"
#include "report/render_options.h"
#include "report/script_renderer.h"

namespace quill {

// The formats a comparison's result can be written in: the two HTML documents, or one
// stream of text, CSV or JSON.
enum class ScriptFormat : char { Text, Csv, Json };

// One stream in a script format that holds the results of one or more comparisons: the
// CSV header row or the JSON document around them, and for a comparison of folder trees
// each pair's section, including the pairs that have no result.
class ScriptDocument {
 public:
  // folders: the document covers the pairs of two folder trees, and its JSON total counts
  // the pairs that have no result.
  // contents: contents were compared, so the CSV header and the totals give their columns.
  ScriptDocument(ScriptFormat format, ByteSink& out, bool folders = false, bool contents = false);

  // A renderer that writes one comparison's result into the sink, ready to be added.
  std::unique_ptr<ScriptRenderer> renderer(ByteSink& out, const RenderOptions& options) const;
  // Adds a comparison's rendering, held in the spool, with what it counted.
  void addComparison(SpoolByteSink& rendering, const ResultTotal& total);
  // Adds a comparison rendered straight into the document's own sink.
  void addedComparison(const ResultTotal& total);
  // Adds a pair of a folder comparison without a result: state "failed" (with the reason),
  // "added" or "removed".
  void addPathEntry(std::string_view relativePath, std::string_view state, std::string_view file1,
                    std::string_view file2, std::string_view failure);
  // Writes the end of the document: the JSON total; for folders, an overall total line
  // (text) or record (CSV) too, with the pairs that failed and the workbooks added and
  // removed.
  void end();

  // Call before a comparison rendered straight into the sink.
  void beforeComparison();

 private:
  std::string pathsText() const;

  ScriptFormat format_;
  ByteSink& out_;
  bool folders_;
  bool contents_;
  ResultTotal total_;
  long entries_ = 0;
  long failed_ = 0;
  long added_ = 0;
  long removed_ = 0;
};

}  // namespace quill
