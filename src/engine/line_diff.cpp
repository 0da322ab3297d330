#include "engine/line_diff.h"

#include <algorithm>

namespace quill {

namespace {

using Lines = std::vector<std::string_view>;

// One line of the edit script: ' ' kept, '-' only in the first text, '+' only in the second.
struct Edit {
  char op;
  long line1;  // index into the first lines (kept and removed lines)
  long line2;  // index into the second lines (kept and added lines)
};

// The shortest edit script between a[begin1, end1) and b[begin2, end2) by the greedy search
// over diagonals (Myers), keeping each round's frontier to trace the path back; false when
// it needs more than maxEdits edits.
bool shortestScript(const Lines& a, long begin1, long end1, const Lines& b, long begin2, long end2,
                    long maxEdits, std::vector<Edit>& script) {
  const long n = end1 - begin1, m = end2 - begin2;
  const long offset = maxEdits + 1;
  std::vector<long> frontier(std::size_t(2 * offset + 1), 0);
  std::vector<std::vector<long>> rounds;
  long found = -1;
  for (long d = 0; d <= maxEdits && found < 0; ++d) {
    rounds.push_back(frontier);
    for (long k = -d; k <= d; k += 2) {
      long x = (k == -d || (k != d && frontier[std::size_t(offset + k - 1)] <
                                          frontier[std::size_t(offset + k + 1)]))
                   ? frontier[std::size_t(offset + k + 1)]
                   : frontier[std::size_t(offset + k - 1)] + 1;
      long y = x - k;
      while (x < n && y < m && a[std::size_t(begin1 + x)] == b[std::size_t(begin2 + y)]) ++x, ++y;
      frontier[std::size_t(offset + k)] = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
  }
  if (found < 0) return false;
  std::vector<Edit> reversed;
  long x = n, y = m;
  for (long d = found; d > 0; --d) {
    const std::vector<long>& before = rounds[std::size_t(d)];
    const long k = x - y;
    const bool down = k == -d || (k != d && before[std::size_t(offset + k - 1)] <
                                                before[std::size_t(offset + k + 1)]);
    const long previousK = down ? k + 1 : k - 1;
    const long previousX = before[std::size_t(offset + previousK)];
    const long previousY = previousX - previousK;
    while (x > previousX + (down ? 0 : 1) && y > previousY + (down ? 1 : 0))
      --x, --y, reversed.push_back({' ', begin1 + x, begin2 + y});
    if (down)
      --y, reversed.push_back({'+', begin1 + x, begin2 + y});
    else
      --x, reversed.push_back({'-', begin1 + x, begin2 + y});
  }
  while (x > 0 && y > 0) --x, --y, reversed.push_back({' ', begin1 + x, begin2 + y});
  script.insert(script.end(), reversed.rbegin(), reversed.rend());
  return true;
}

std::vector<Edit> editScript(const Lines& a, const Lines& b, long maxEdits) {
  std::vector<Edit> script;
  long prefix = 0;
  const long n = long(a.size()), m = long(b.size());
  while (prefix < n && prefix < m && a[std::size_t(prefix)] == b[std::size_t(prefix)])
    script.push_back({' ', prefix, prefix}), ++prefix;
  long suffix = 0;
  while (suffix < n - prefix && suffix < m - prefix &&
         a[std::size_t(n - 1 - suffix)] == b[std::size_t(m - 1 - suffix)])
    ++suffix;
  if (!shortestScript(a, prefix, n - suffix, b, prefix, m - suffix, maxEdits, script)) {
    for (long i = prefix; i < n - suffix; ++i) script.push_back({'-', i, prefix});
    for (long j = prefix; j < m - suffix; ++j) script.push_back({'+', n - suffix, j});
  }
  for (long s = suffix; s > 0; --s) script.push_back({' ', n - s, m - s});
  return script;
}

std::string range(long start, long count) {
  // A hunk that holds no line of a file names the line before it.
  return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string unifiedDiff(const Lines& lines1, const Lines& lines2, int context, long maxEdits) {
  const std::vector<Edit> script = editScript(lines1, lines2, maxEdits);
  std::string out;
  std::size_t i = 0;
  while (i < script.size()) {
    if (script[i].op == ' ') {
      ++i;
      continue;
    }
    // A hunk: `context` kept lines before its first change and after its last, taking in
    // every later change that follows within 2 * context kept lines.
    const std::size_t around = std::size_t(context);
    const std::size_t begin = i > around ? i - around : 0;
    std::size_t lastChange = i;
    for (std::size_t j = i + 1; j < script.size() && j - lastChange <= 2 * around; ++j)
      if (script[j].op != ' ') lastChange = j;
    const std::size_t end = std::min(script.size(), lastChange + 1 + around);
    long count1 = 0, count2 = 0;
    for (std::size_t e = begin; e < end; ++e) {
      count1 += script[e].op != '+' ? 1 : 0;
      count2 += script[e].op != '-' ? 1 : 0;
    }
    if (!out.empty()) out += '\n';
    out += "@@ -" + range(script[begin].line1, count1) + " +" + range(script[begin].line2, count2) +
           " @@";
    for (std::size_t e = begin; e < end; ++e) {
      out += '\n';
      out += script[e].op;
      out += script[e].op == '+' ? lines2[std::size_t(script[e].line2)]
                                 : lines1[std::size_t(script[e].line1)];
    }
    i = end;
  }
  return out;
}

}  // namespace quill
