// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/plot_notes.h"

#include <vector>

#include "app/number_text.h"

namespace app {

namespace {

std::string Joined(const std::vector<std::string>& notes) {
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : " ") + note;
  return text;
}

}  // namespace

std::string FunctionPlotNote(const FunctionPlot& plot, std::size_t passes) {
  std::vector<std::string> notes;
  if (passes > static_cast<std::size_t>(kDrawnPasses)) {
    notes.push_back("Построения и номера приближений — для первых " + FormatInteger(kDrawnPasses) +
                    " проходов.");
  }
  for (const ReflectedChord& chord : plot.reflections) {
    notes.push_back("Хорда прохода " + FormatInteger(chord.n) + " пересекает ось в " +
                    FormatReal(chord.crossing, 6) +
                    ", но f(a)·f(b) > 0, а формула метода берёт модуль дроби "
                    "|f(a)/(f(a) − f(b))|: точка отражается относительно a и попадает в x = " +
                    FormatReal(chord.landed, 6) + " (пунктир вдоль оси).");
  }
  if (plot.cobweb) {
    notes.push_back(std::string("Простая итерация ищет неподвижную точку φ: пересечение y = φ(x) "
                                "с диагональью y = x. Ступени ") +
                    (plot.spiral ? "закручиваются спиралью: φ′ < 0, и приближения ходят вокруг "
                                   "корня с двух сторон."
                                 : "идут лестницей: φ′ > 0, и приближения подходят к корню с "
                                   "одной стороны.") +
                    " Сходимость — там, где |φ′| < 1.");
  } else if (plot.two_sided) {
    notes.push_back(
        "Полосы под графиком — отрезок между двумя приближениями каждого прохода: с одной "
        "стороны касательная, с другой хорда, корень всегда между ними.");
  } else if (!plot.brackets.empty()) {
    notes.push_back("Полосы под графиком — отрезок, который делит пополам каждый проход.");
  }
  if (plot.last_point) {
    notes.push_back(
        "Метод не нашёл корень: ромб отмечает последнее приближение "
        "(xₙ, f(xₙ)).");
  }
  if (plot.range.iterates_outside > 0) {
    notes.push_back("Приближений далеко за отрезком, не вошедших в график: " +
                    FormatInteger(plot.range.iterates_outside) + ".");
  }
  return Joined(notes);
}

std::string ConvergencePlotNote(const ConvergenceExtent& extent) {
  std::string note =
      "Нулевой шаг на логарифмической оси не изобразить: такие проходы отмечены "
      "пустыми квадратами у нижнего края.";
  if (extent.shown < extent.last) {
    note += " После прохода " + FormatInteger(extent.shown) + " и до прохода " +
            FormatInteger(extent.last) + " шаги только нулевые.";
  }
  return note;
}

std::string StepsPlotNote(const ConvergenceExtent& extent) {
  return "Шаг |xₙ − xₙ₋₁| отстаёт от погрешности на проход: он показывает, насколько сдвинулось "
         "приближение, а не насколько оно далеко от корня. " +
         ConvergencePlotNote(extent);
}

std::string WorkPrecisionNote() {
  return "Каждая точка — проход метода: сколько вычислений f и f′ сделано до него и сколько "
         "верных цифр у его xₙ. Чем круче линия, тем больше цифр даёт одно вычисление; "
         "горизонталь на одном уровне цифр — сравнение при равной точности. Линии есть только у "
         "методов, погрешность которых измерена по опорному корню.";
}

}  // namespace app
