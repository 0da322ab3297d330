#pragma once

#include <QObject>
#include <memory>

namespace quill {

class MainWindow;
class SmallerAreaWindow;
class ResultsWindow;
struct ProgramContext;

// Owns the program's windows: the main window from the start, the results window from the
// first comparison that shows results; and ends the program when any window closes.
class ProgramWindows final : public QObject {
  Q_OBJECT
 public:
  explicit ProgramWindows(ProgramContext& context);
  ~ProgramWindows() override;

  MainWindow& mainWindow() { return *form1_; }
  SmallerAreaWindow& smallerAreaWindow() { return *form2_; }
  bool hasResultsWindow() const { return form3_ != nullptr; }
  // Whether the results window shows results; it is made, hidden, when a comparison starts.
  bool resultsShown() const;
  // The results window; the first call creates it.
  ResultsWindow& resultsWindow();
  // Shows the documents of the last comparison in the results window.
  void showResults();
  // Stops a running comparison, closes the session and announces the end.
  void endProgram();

 signals:
  void programEnding();

 private:
  ProgramContext& context_;
  std::unique_ptr<MainWindow> form1_;
  std::unique_ptr<SmallerAreaWindow> form2_;
  std::unique_ptr<ResultsWindow> form3_;
};

}  // namespace quill
