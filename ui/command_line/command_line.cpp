// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/error_report.h"
#include "app/formula_feedback.h"
#include "app/method_analysis.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/table_window.h"
#include "app/variants.h"
#include "app/worked_solution.h"
#include "core/equations.h"
#include "core/errors.h"
#include "core/expression/formula.h"
#include "core/extended.h"
#include "core/floating_point_environment.h"
#include "core/method_table.h"
#include "ui/command_line/qt_options.h"
#include "ui/command_line/run_json.h"
#include "ui/command_line/standard_streams.h"
#include "ui/platform/file_chooser.h"
#include "ui/platform/program_language.h"
#include "ui/report/run_report.h"
#include "ui/report/variant_documents.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kMostVariants = 1000;
// More passes than any method makes: a bound for --history-passes.
constexpr int kMostPassesAtEachEnd = 10'000;

// The command line's texts, in the user's language (ui/platform/
// program_language.h). The results are the windows' and stay Russian.
class Text {
  Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// A usage error: what is wrong, for "nonlinear-equations: <what>".
struct UsageError {
  QString what;
};

void Write(std::FILE* stream, const std::string& text) {
  WriteOutput(stream, text);
}

void Write(std::FILE* stream, const QString& text) {
  Write(stream, text.toStdString());
}

std::string Utf8(const QString& text) {
  return text.toStdString();
}

struct Options {
  QCommandLineOption solve{QStringLiteral("solve"),
                           Text::tr("Solve one equation with the four methods.")};
  QCommandLineOption equation{QStringLiteral("equation"),
                              Text::tr("The equation's number in the list, 0 to 9 (default 0)."),
                              QStringLiteral("n")};
  QCommandLineOption formula{QStringLiteral("formula"),
                             Text::tr("A typed f(x) to solve instead, e.g. 'x^3-2*x-5', in the "
                                      "language of the typed-equation window."),
                             QStringLiteral("f(x)")};
  QCommandLineOption k{QStringLiteral("k"), Text::tr("The coefficient k (default 1)."),
                       QStringLiteral("k")};
  QCommandLineOption l{QStringLiteral("l"), Text::tr("The coefficient l (default 1)."),
                       QStringLiteral("l")};
  QCommandLineOption start{QStringLiteral("start"), Text::tr("The start a (default 1)."),
                           QStringLiteral("a")};
  QCommandLineOption precision{
      QStringLiteral("precision"),
      Text::tr("The precision; its length in characters sets the decimals of the roots "
               "(default 0,001 with the locale's separator)."),
      QStringLiteral("eps")};
  QCommandLineOption end{QStringLiteral("end"), Text::tr("The end b (default 2)."),
                         QStringLiteral("b")};
  QCommandLineOption methods{
      QStringLiteral("methods"),
      Text::tr("The methods to solve with, by key: bisection, chords, tangents, secants, "
               "iteration, combined (default the first four)."),
      QStringLiteral("keys")};
  QCommandLineOption lambda{QStringLiteral("lambda"),
                            Text::tr("λ of simple iteration, φ(x) = x − λ·f(x) (default "
                                     "1/M with the sign of f′, M = max |f′| on [a, b])."),
                            QStringLiteral("λ")};
  QCommandLineOption phi{QStringLiteral("phi"),
                         Text::tr("φ(x) of simple iteration typed instead, e.g. 'cos(x)'."),
                         QStringLiteral("φ(x)")};
  QCommandLineOption format{QStringLiteral("format"),
                            Text::tr("Output: text (default), csv or json."),
                            QStringLiteral("format")};
  QCommandLineOption history{QStringLiteral("history"),
                             Text::tr("Add each method's passes (text and json); with --report, "
                                      "each method's pages.")};
  QCommandLineOption history_passes{
      QStringLiteral("history-passes"),
      Text::tr("With --history, only each method's first n and last n passes in the text and "
               "the report, with a row of '…' between them (default: all)."),
      QStringLiteral("n")};
  QCommandLineOption steps{QStringLiteral("steps"),
                           Text::tr("Add each method's worked solution, every pass in the "
                                    "method's formula with the numbers substituted (text); "
                                    "with --report, each method's pages with it.")};
  QCommandLineOption separator{
      QStringLiteral("decimal-separator"),
      Text::tr("The decimal separator of inputs and outputs, '.' or ',', instead of the "
               "locale's."),
      QStringLiteral("c")};
  QCommandLineOption report{QStringLiteral("report"),
                            Text::tr("Also write the run's report as PDF."),
                            QStringLiteral("file.pdf")};
  QCommandLineOption variants{QStringLiteral("variants"),
                              Text::tr("Make n variants with their answer key."),
                              QStringLiteral("n")};
  QCommandLineOption seed{QStringLiteral("seed"),
                          Text::tr("The variants' seed (default 1): the same seed, the same "
                                   "variants."),
                          QStringLiteral("s")};
  QCommandLineOption equations{QStringLiteral("equations"),
                               Text::tr("The equations to draw from, e.g. 0,3,8 (default all)."),
                               QStringLiteral("list")};
  QCommandLineOption title{QStringLiteral("title"),
                           Text::tr("The title on the handout (default 'Решение нелинейных "
                                    "уравнений')."),
                           QStringLiteral("text")};
  QCommandLineOption out{QStringLiteral("out"),
                         Text::tr("The folder for variants.pdf, answers.csv and answers.pdf "
                                  "(made when missing)."),
                         QStringLiteral("dir")};

  QList<QCommandLineOption> All() const {
    return {solve,   equation, formula, k,         l,       start, precision,      end,
            methods, lambda,   phi,     format,    history, steps, history_passes, separator,
            report,  variants, seed,    equations, title,   out};
  }
};

// Options that belong to one of the two commands only.
void RequireCommand(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                    bool command_given, const QString& command) {
  for (const QCommandLineOption& option : options) {
    if (parser.isSet(option) && !command_given)
      throw UsageError{Text::tr("--%1 needs %2").arg(option.names().constFirst(), command)};
  }
}

int NumberIn(const QString& text, int lowest, int highest, const QString& option) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest || value > highest) {
    throw UsageError{Text::tr("--%1 takes a whole number from %2 to %3, not '%4'")
                         .arg(option)
                         .arg(lowest)
                         .arg(highest)
                         .arg(text)};
  }
  return value;
}

void SetSeparator(const QCommandLineParser& parser, const Options& options) {
  if (!parser.isSet(options.separator)) return;
  const QString separator = parser.value(options.separator);
  // Any other character would change what a number means: "e" reads
  // "0e001" as a power of ten, a digit misreads every number.
  if (separator != QStringLiteral(".") && separator != QStringLiteral(","))
    throw UsageError{Text::tr("--decimal-separator takes '.' or ',', not '%1'").arg(separator)};
  app::SetDecimalSeparator(Utf8(separator));
}

app::InputTexts SolveInputs(const QCommandLineParser& parser, const Options& options) {
  app::InputTexts inputs;
  if (parser.isSet(options.equation)) {
    inputs.equation = static_cast<std::uint8_t>(NumberIn(
        parser.value(options.equation), 0, core::kEquationCount - 1, QStringLiteral("equation")));
  }
  if (parser.isSet(options.formula)) {
    if (parser.isSet(options.equation))
      throw UsageError{Text::tr("--formula and --equation exclude each other")};
    inputs.formula = Utf8(parser.value(options.formula));
    if (inputs.formula.empty()) throw UsageError{Text::tr("--formula needs a formula")};
  }
  const auto take = [&](const QCommandLineOption& option, std::string& text) {
    if (parser.isSet(option)) text = Utf8(parser.value(option));
  };
  take(options.k, inputs.k);
  take(options.l, inputs.l);
  take(options.start, inputs.start);
  take(options.precision, inputs.precision);
  take(options.end, inputs.end);
  if (parser.isSet(options.methods)) {
    inputs.methods = core::MethodSet();
    for (const QString& key : parser.value(options.methods).split(QLatin1Char(','))) {
      const core::MethodEntry* entry = core::FindMethodByKey(Utf8(key.trimmed()));
      if (entry == nullptr) throw UsageError{Text::tr("--methods: no method '%1'").arg(key)};
      inputs.methods.Add(entry->number);
    }
  }
  if (parser.isSet(options.lambda)) {
    const QString text = parser.value(options.lambda);
    try {
      inputs.parameters.lambda = core::Extended(app::ParseReal(Utf8(text))).ToDouble();
    } catch (const core::Exception&) {
      throw UsageError{Text::tr("--lambda takes a number, not '%1'").arg(text)};
    }
  }
  return inputs;
}

std::string MethodPassesText(const app::RunRecord& record, int passes_at_each_end) {
  std::string text;
  for (const core::Method method : record.method_set) {
    text += "\n" + std::string(core::EntryOf(method).name) + "\n";
    text += app::AlignedText(
        app::PassTable(record.History(method)).EndLines(passes_at_each_end, false));
  }
  return text;
}

// The error box's text on standard error, and after a number written with
// the other locale's separator, how to write it:
// "Hint: use 1,5 or --decimal-separator ." The texts are the inputs in the
// order they are read, so the first that is no number is the one reported.
void WriteRunError(const std::string& error, const std::vector<std::string>& texts) {
  Write(stderr, app::ReportText(error) + "\n");
  for (const std::string& text : texts) {
    long double value = 0;
    if (app::ScanReal(text, value)) continue;
    if (const std::optional<std::string> meant = app::WithTheSeparator(text)) {
      const QString other =
          app::DecimalSeparator() == "," ? QStringLiteral(".") : QStringLiteral(",");
      Write(stderr,
            Text::tr("Hint: use %1 or --decimal-separator %2").arg(FromUtf8(*meant), other) +
                QStringLiteral("\n"));
    }
    return;
  }
}

// Each method's worked solution, every pass written out.
std::string MethodStepsText(const app::RunRecord& record) {
  std::string text;
  const app::RunAnalyses analyses = app::AnalyseRun(record);
  for (const core::Method method : record.method_set) {
    if (!record.History(method).ran) continue;
    text += "\n" + app::SolutionText(app::WriteSolution(record, method,
                                                        core::ForMethod(analyses, method).verdict),
                                     true);
  }
  return text;
}

// The message, then the formula with a mark under the place it names, each
// line indented, as the typed-equation window shows them.
std::string FormulaErrorText(const std::string& formula, const core::EFormulaError& error) {
  std::string text = app::ReportText(error.Message()) + "\n";
  const std::string marked = app::MarkedFormula(formula, error.Position());
  std::size_t begin = 0;
  while (begin <= marked.size()) {
    const std::size_t end = std::min(marked.find('\n', begin), marked.size());
    text += "  " + marked.substr(begin, end - begin) + "\n";
    begin = end + 1;
  }
  return text;
}

void WriteReportFile(const QString& path, const app::SolvedRun& solved, bool with_methods,
                     int passes_at_each_end, bool with_steps) {
  ReportOptions options;
  options.passes_at_each_end = passes_at_each_end;
  options.steps = StepsInReport{with_steps, true};
  const RunReport report{solved.record, solved.window.Lines(), solved.window.StatusText(),
                         with_methods || with_steps, options};
  WritePdf(path, QStringLiteral("Решение нелинейных уравнений"),
           [&report](QPagedPaintDevice& device) { PaintRunReport(device, report); });
}

int SolveCommand(const QCommandLineParser& parser, const Options& options) {
  const QString format =
      parser.isSet(options.format) ? parser.value(options.format) : QStringLiteral("text");
  if (format != QStringLiteral("text") && format != QStringLiteral("csv") &&
      format != QStringLiteral("json"))
    throw UsageError{Text::tr("--format takes text, csv or json, not '%1'").arg(format)};
  const bool history = parser.isSet(options.history);
  if (history && format == QStringLiteral("csv"))
    throw UsageError{Text::tr("--history works with --format text or json")};
  int passes_at_each_end = 0;
  if (parser.isSet(options.history_passes)) {
    if (!history)
      throw UsageError{Text::tr("--%1 needs %2")
                           .arg(QStringLiteral("history-passes"), QStringLiteral("--history"))};
    passes_at_each_end = NumberIn(parser.value(options.history_passes), 1, kMostPassesAtEachEnd,
                                  QStringLiteral("history-passes"));
  }
  const bool steps = parser.isSet(options.steps);
  if (steps && format != QStringLiteral("text") && !parser.isSet(options.report))
    throw UsageError{Text::tr("--steps works with --format text or --report")};
  app::InputTexts inputs = SolveInputs(parser, options);
  if (parser.isSet(options.phi)) {
    if (parser.isSet(options.lambda))
      throw UsageError{Text::tr("--phi and --lambda exclude each other")};
    const std::string phi = Utf8(parser.value(options.phi));
    try {
      inputs.parameters.phi = core::expression::Formula::Parse(phi);
    } catch (const core::EFormulaError& error) {
      Write(stderr, FormulaErrorText(phi, error));
      return kExitRunError;
    }
  }

  std::optional<app::SolvedRun> ran;
  try {
    ran = app::Solve(inputs);
  } catch (const core::EFormulaError& error) {
    Write(stderr, FormulaErrorText(inputs.formula, error));
    return kExitRunError;
  }
  const app::SolvedRun& solved = *ran;
  // A run that could not start has no results: text and CSV write nothing,
  // so that a script reads no empty table as one.
  const bool started = app::AnyMethodRan(*solved.record);
  if (format == QStringLiteral("json")) {
    const QByteArray json = RunJson(solved, history);
    Write(stdout, json.toStdString());
  } else if (!started) {
  } else if (format == QStringLiteral("csv")) {
    Write(stdout, app::DelimitedText(solved.window.Lines(),
                                     app::CsvFieldSeparator(app::DecimalSeparator()), "\n"));
  } else {
    std::string text = app::AlignedText(solved.window.Lines());
    if (!solved.window.StatusText().empty()) text += solved.window.StatusText() + "\n";
    if (history) text += MethodPassesText(*solved.record, passes_at_each_end);
    if (steps) text += MethodStepsText(*solved.record);
    Write(stdout, text);
  }
  if (parser.isSet(options.report))
    WriteReportFile(parser.value(options.report), solved, history, passes_at_each_end, steps);
  // The error box's text, after the table as the window keeps it.
  if (solved.error) {
    WriteRunError(*solved.error, {inputs.k, inputs.l, inputs.start, inputs.precision, inputs.end});
    return kExitRunError;
  }
  return kExitSuccess;
}

std::vector<std::uint8_t> EquationList(const QString& text) {
  std::vector<std::uint8_t> equations;
  for (const QString& item : text.split(QLatin1Char(','))) {
    equations.push_back(static_cast<std::uint8_t>(
        NumberIn(item.trimmed(), 0, core::kEquationCount - 1, QStringLiteral("equations"))));
  }
  return equations;
}

int VariantsCommand(const QCommandLineParser& parser, const Options& options) {
  app::VariantRequest request;
  request.count =
      NumberIn(parser.value(options.variants), 1, kMostVariants, QStringLiteral("variants"));
  if (parser.isSet(options.seed)) {
    bool ok = false;
    request.seed = parser.value(options.seed).toULongLong(&ok);
    if (!ok)
      throw UsageError{Text::tr("--seed takes a whole number from 0 to 18446744073709551615, "
                                "not '%1'")
                           .arg(parser.value(options.seed))};
  }
  if (parser.isSet(options.equations))
    request.equations = EquationList(parser.value(options.equations));
  if (parser.isSet(options.precision))
    request.precision_text = Utf8(parser.value(options.precision));
  if (!parser.isSet(options.out)) throw UsageError{Text::tr("--variants needs --out")};
  const QString title =
      parser.isSet(options.title) ? parser.value(options.title) : kDefaultHandoutTitle;

  app::VariantSet set;
  try {
    set = app::MakeVariantSet(request);
  } catch (const core::EConvertError& error) {
    WriteRunError(error.Message(), {request.precision_text});
    return kExitRunError;
  }
  WriteVariantFiles(parser.value(options.out), set, title);
  return kExitSuccess;
}

QString VersionText() {
  return QStringLiteral(
             "nonlinear-equations %1\n"
             "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
             "This is free software: you are free to change and redistribute it.\n"
             "There is NO WARRANTY, to the extent permitted by law.\n")
      .arg(QStringLiteral(NLE_VERSION));
}

// Reports are painted with fonts, which need the toolkit's GUI side, and
// the plots are widgets' scenes: an application on the offscreen platform,
// which opens no display. Everything else needs only the core.
std::unique_ptr<QCoreApplication> NewApplication(bool paints, int& argc, char* argv[]) {
  if (!paints) return std::make_unique<QCoreApplication>(argc, argv);
  // Standard error carries the command's own messages only: the toolkit's
  // notes about the session it runs without (no runtime folder, no display
  // features) would read as errors to a script. Its critical messages stay.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      Write(stderr, QStringLiteral("nonlinear-equations: %1\n").arg(message));
  });
  static char platform_option[] = "-platform";
  static char platform[] = "offscreen";
  static std::vector<char*> arguments;
  arguments = {argv[0], platform_option, platform, nullptr};
  static int count = 3;
  return std::make_unique<QApplication>(count, arguments.data());
}

// Whether the command paints (a report or variants), from the arguments
// alone: the application must exist, with or without fonts, before the
// options are described in the user's language. Arguments that do not parse
// paint nothing; the real parse says what is wrong with them.
bool Paints(const QStringList& arguments) {
  const Options options;
  QCommandLineParser parser;
  parser.addOptions(options.All());
  parser.addHelpOption();
  parser.addVersionOption();
  return parser.parse(arguments) &&
         (parser.isSet(options.variants) || parser.isSet(options.report));
}

int Run(const QStringList& command_line) {
  Options options;
  QCommandLineParser parser;
  parser.setApplicationDescription(
      Text::tr("Solves nonlinear equations by bisection, chords, tangents and secants.\n"
               "Without options the program opens its windows."));
  parser.addOptions(options.All());
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  if (!parser.parse(command_line)) throw UsageError{parser.errorText()};
  if (!parser.positionalArguments().isEmpty())
    throw UsageError{
        Text::tr("unexpected argument '%1'").arg(parser.positionalArguments().constFirst())};

  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    Write(stdout, parser.helpText());
    return kExitSuccess;
  }
  if (parser.isSet(version)) {
    Write(stdout, VersionText());
    return kExitSuccess;
  }
  const bool solve = parser.isSet(options.solve);
  const bool variants = parser.isSet(options.variants);
  if (solve && variants) throw UsageError{Text::tr("--solve and --variants exclude each other")};
  if (!solve && !variants) throw UsageError{Text::tr("--solve or --variants is needed")};
  RequireCommand(parser,
                 {options.equation, options.formula, options.k, options.l, options.start,
                  options.end, options.methods, options.lambda, options.phi, options.format,
                  options.history, options.history_passes, options.steps, options.report},
                 solve, QStringLiteral("--solve"));
  RequireCommand(parser, {options.seed, options.equations, options.title, options.out}, variants,
                 QStringLiteral("--variants"));
  SetSeparator(parser, options);
  return solve ? SolveCommand(parser, options) : VariantsCommand(parser, options);
}

// The arguments as text. One that is no valid text (a file name in another
// encoding) is refused: read with replacement characters, two different
// names would write one file.
QStringList Arguments(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) {
    arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.constLast().toLocal8Bit() != QByteArray(argv[i]))
      throw UsageError{Text::tr("argument %1 is not valid UTF-8").arg(i)};
  }
  return arguments;
}

int ReportUsageError(const UsageError& error) {
  Write(stderr,
        QStringLiteral("nonlinear-equations: %1\n%2\n")
            .arg(error.what, Text::tr("Try 'nonlinear-equations --help' for more information.")));
  return kExitUsage;
}

int RunReportingErrors(int argc, char* argv[]) {
  QStringList command_line;
  try {
    command_line =
        QStringList{QString::fromLocal8Bit(argv[0])} + WithoutQtOptions(Arguments(argc, argv));
  } catch (const UsageError& error) {
    return ReportUsageError(error);
  }
  // Errors are told while the application and its translations still exist.
  const std::unique_ptr<QCoreApplication> application =
      NewApplication(Paints(command_line), argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("nonlinear-equations"));
  QCoreApplication::setApplicationVersion(QStringLiteral(NLE_VERSION));
  InstallUserLanguage();
  core::EstablishFloatingPointEnvironment();
  try {
    return Run(command_line);
  } catch (const UsageError& error) {
    return ReportUsageError(error);
  } catch (const core::Exception& error) {
    Write(stderr, app::ReportText(error.Message()) + "\n");
    return kExitRunError;
  } catch (const std::exception& error) {
    Write(stderr, app::ReportText(error.what()) + "\n");
    return kExitRunError;
  }
}

}  // namespace

int RunCommandLine(int argc, char* argv[]) {
  GuardStandardStreams();
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  return FinishOutput(RunReportingErrors(argc, argv));
}

}  // namespace ui
