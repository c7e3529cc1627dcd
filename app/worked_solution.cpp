// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/worked_solution.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "app/function_texts.h"
#include "app/method_report.h"
#include "app/number_text.h"
#include "app/step_writers.h"
#include "core/method_table.h"
#include "core/utf8.h"

namespace app {

namespace {

constexpr int kLeastDigits = 6;
constexpr int kMostDigits = 15;

// The subscripts the step writers use, and what each is under <sub>.
struct Subscript {
  std::string_view unicode;
  std::string_view plain;
};
constexpr Subscript kSubscripts[] = {
    {"₀", "0"}, {"₁", "1"}, {"₂", "2"}, {"₃", "3"}, {"₄", "4"}, {"₅", "5"}, {"₆", "6"},
    {"₇", "7"}, {"₈", "8"}, {"₉", "9"}, {"ₙ", "n"}, {"₋", "−"}, {"₊", "+"},
};

const Subscript* SubscriptAt(std::string_view text, std::size_t at) {
  for (const Subscript& subscript : kSubscripts)
    if (text.substr(at, subscript.unicode.size()) == subscript.unicode) return &subscript;
  return nullptr;
}

// The text escaped for HTML, each run of subscripts as one <sub>.
std::string Html(std::string_view text) {
  std::string html;
  bool in_subscript = false;
  for (std::size_t at = 0; at < text.size();) {
    const Subscript* subscript = SubscriptAt(text, at);
    if ((subscript != nullptr) != in_subscript) {
      html += in_subscript ? "</sub>" : "<sub>";
      in_subscript = !in_subscript;
    }
    if (subscript != nullptr) {
      html += subscript->plain;
      at += subscript->unicode.size();
      continue;
    }
    const char c = text[at++];
    if (c == '&') {
      html += "&amp;";
    } else if (c == '<') {
      html += "&lt;";
    } else if (c == '>') {
      html += "&gt;";
    } else {
      html += c;
    }
  }
  if (in_subscript) html += "</sub>";
  return html;
}

std::string GapLine(std::int32_t first, std::int32_t last) {
  return "… (проходы с " + FormatInteger(first) + " по " + FormatInteger(last) + " не показаны)";
}

}  // namespace

int SolutionDigits(const core::MethodHistory& history) {
  const double scale = std::max({1.0, std::fabs(history.start), std::fabs(history.end)});
  if (!(history.precision > 0) || !std::isfinite(scale)) return kLeastDigits;
  const double needed = std::ceil(std::log10(scale / history.precision)) + 1;
  if (!(needed < kMostDigits)) return kMostDigits;
  return std::max(kLeastDigits, static_cast<int>(needed));
}

WorkedSolution WriteSolution(const RunRecord& run, std::uint8_t method, const Verdict& verdict) {
  const core::MethodHistory& history = run.History(method);
  const int digits = SolutionDigits(history);
  WorkedSolution solution;
  solution.heading.push_back(std::string(core::EntryOf(method).name) + ". " + InputsText(run) +
                             ".");
  if (const std::string function = FunctionText(run); !function.empty())
    solution.heading.push_back(function);
  const StepContext context(run, history, digits);
  const StepWriter write = StepWriterOf(method);
  for (int row = 0; row < context.Rows(); ++row)
    solution.passes.push_back({row, write(context, row)});
  solution.ending = "Итог: " + VerdictText(verdict);
  solution.note = "Числа записаны с " + FormatInteger(digits) +
                  " значащими цифрами из тех, что получил метод; пересчёт по этим округлённым "
                  "числам может разойтись с записанным результатом в последней цифре.";
  return solution;
}

bool IsLong(const WorkedSolution& solution) {
  // Hiding one or two passes would save nothing.
  return solution.passes.size() > 2 * kPassesAtEachEnd + 2;
}

std::vector<SolutionParagraph> ShownParagraphs(const WorkedSolution& solution, bool all_passes) {
  std::vector<SolutionParagraph> paragraphs{{std::nullopt, solution.heading, std::nullopt}};
  const std::size_t count = solution.passes.size();
  const bool shortened = !all_passes && IsLong(solution);
  for (std::size_t i = 0; i < count; ++i) {
    const WrittenPass& pass = solution.passes[i];
    if (shortened && i == kPassesAtEachEnd) {
      const std::int32_t last = solution.passes[count - kPassesAtEachEnd - 1].n;
      paragraphs.push_back({std::nullopt, {GapLine(pass.n, last)}, std::pair(pass.n, last)});
      i = count - kPassesAtEachEnd - 1;
      continue;
    }
    paragraphs.push_back({pass.n, pass.lines, std::pair(pass.n, pass.n)});
  }
  paragraphs.push_back({std::nullopt, {solution.ending}, std::nullopt});
  return paragraphs;
}

std::string PassLabel(std::int32_t n) {
  return "Проход " + FormatInteger(n) + ".";
}

std::string SolutionText(const WorkedSolution& solution, bool all_passes) {
  std::string text;
  for (const SolutionParagraph& paragraph : ShownParagraphs(solution, all_passes)) {
    const std::string label = paragraph.pass ? PassLabel(*paragraph.pass) + "  " : std::string();
    const std::string indent(core::CharacterCount(label), ' ');
    for (std::size_t i = 0; i < paragraph.lines.size(); ++i)
      text += (i == 0 ? label : indent) + paragraph.lines[i] + "\n";
  }
  return text + solution.note + "\n";
}

std::string SolutionHtml(const WorkedSolution& solution, bool all_passes) {
  std::string html = "<html><head><meta charset=\"utf-8\"></head><body>\n";
  for (const SolutionParagraph& paragraph : ShownParagraphs(solution, all_passes)) {
    html += paragraph.pass ? "<p style=\"margin-left:6em;text-indent:-6em\">" +
                                 Html(PassLabel(*paragraph.pass)) + "&nbsp; "
                           : std::string("<p>");
    for (std::size_t i = 0; i < paragraph.lines.size(); ++i)
      html += (i > 0 ? "<br>" : "") + Html(paragraph.lines[i]);
    html += "</p>\n";
  }
  html += "<p><i>" + Html(solution.note) + "</i></p>\n";
  return html + "</body></html>\n";
}

std::string PassText(const WorkedSolution& solution, std::int32_t n) {
  for (const WrittenPass& pass : solution.passes) {
    if (pass.n != n) continue;
    std::string text = PassLabel(n);
    for (const std::string& line : pass.lines) text += " " + line;
    return text;
  }
  return std::string();
}

}  // namespace app
