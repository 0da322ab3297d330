#include "engine/comparison_finish.h"

#include <string>

#include "base/local_time.h"
#include "engine/choose_comparison.h"
#include "formats/session.h"

namespace quill {

void beginResult(const ComparisonContext& context, ResultSink& result,
                 std::string_view modeCaption) {
  const std::string now = context.now ? context.now() : currentLocalTime();
  const ComparisonRequest& request = context.request;
  const ComparisonOptions options = optionsInEffect(request);
  const std::string caption = captionWithOptions(modeCaption, options);
  result.begin(
      {context.request.path1, context.request.path2, now, caption, options.contents.any()});
}

ComparisonOutcome finishComparison(ComparisonContext& context, CountingResult& result) {
  context.progress.setWriting();
  result.finish();
  closeSession(context.session);
  return result.outcome();
}

}  // namespace quill
