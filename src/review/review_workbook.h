#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/comparison_result.h"
#include "review/review_collector.h"
#include "review/review_result.h"
#include "sheet/workbook.h"

namespace quill {

// Writes the review workbook of a result into a new file at the path: the "Differences"
// listing first, then each of File #2's worksheets with its cells marked. Throws WriteError.
void writeReviewWorkbook(const ReviewResult& result, const Workbook& second,
                         const std::filesystem::path& path);

// Saves the review workbook as the documents are saved: written beside the target under a
// hidden name and renamed into its place, never over one of the input files, and nothing
// left behind when anything fails. Throws WriteError.
void saveReviewWorkbook(const ReviewResult& result, const Workbook& second,
                        const std::filesystem::path& target,
                        const std::vector<std::filesystem::path>& inputs);

// Receives a comparison's result and, once it is complete, saves its review workbook.
class ReviewWorkbookWriter final : public ResultSink {
 public:
  ReviewWorkbookWriter(const Workbook& second, std::filesystem::path target,
                       std::vector<std::filesystem::path> inputs, bool sheetsPaired);

  void begin(const ResultHeading& heading) override { collector_.begin(heading); }
  void beginTable(const TableStart& table) override { collector_.beginTable(table); }
  void line(const Line& line) override { collector_.line(line); }
  void contents(std::span<const ContentItem> items) override { collector_.contents(items); }
  void endTable() override { collector_.endTable(); }
  void finish() override;

  const ReviewResult& result() const { return collector_.result(); }
  // Saves nothing when the result lists no difference.
  void onlyWhenDifferent() { onlyWhenDifferent_ = true; }
  // Whether finish() saved the workbook.
  bool saved() const { return saved_; }

 private:
  const Workbook& second_;
  std::filesystem::path target_;
  std::vector<std::filesystem::path> inputs_;
  ReviewCollector collector_;
  bool onlyWhenDifferent_ = false;
  bool saved_ = false;
};

// The name of the review workbook saved beside a pair's documents: "review" with the
// extension its content takes for File #2 (see reviewExtension). Throws WorkbookError when
// File #2 cannot be read.
std::string reviewFileName(const std::filesystem::path& second);

// Tells a result to two sinks in turn.
class ResultFanOut final : public ResultSink {
 public:
  ResultFanOut(ResultSink& first, ResultSink& second) : first_(first), second_(second) {}

  void begin(const ResultHeading& heading) override {
    first_.begin(heading);
    second_.begin(heading);
  }
  void beginTable(const TableStart& table) override {
    first_.beginTable(table);
    second_.beginTable(table);
  }
  void line(const Line& line) override {
    first_.line(line);
    second_.line(line);
  }
  void contents(std::span<const ContentItem> items) override {
    first_.contents(items);
    second_.contents(items);
  }
  void endTable() override {
    first_.endTable();
    second_.endTable();
  }
  void finish() override {
    first_.finish();
    second_.finish();
  }

 private:
  ResultSink& first_;
  ResultSink& second_;
};

}  // namespace quill
