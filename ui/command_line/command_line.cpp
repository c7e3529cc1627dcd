// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/command_line/command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/error_report.h"
#include "app/formula_feedback.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/table_window.h"
#include "app/variants.h"
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
#include "ui/report/run_report.h"
#include "ui/report/variant_documents.h"
#include "ui/widgets/utf8_text.h"

namespace ui {

namespace {

constexpr int kMostVariants = 1000;

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
                           QStringLiteral("Solve one equation with the four methods.")};
  QCommandLineOption equation{QStringLiteral("equation"),
                              QStringLiteral("The equation's number in the list, 0 to 9 "
                                             "(default 0)."),
                              QStringLiteral("n")};
  QCommandLineOption formula{QStringLiteral("formula"),
                             QStringLiteral("A typed f(x) to solve instead, e.g. 'x^3-2*x-5', in "
                                            "the language of the typed-equation window."),
                             QStringLiteral("f(x)")};
  QCommandLineOption k{QStringLiteral("k"), QStringLiteral("The coefficient k (default 1)."),
                       QStringLiteral("k")};
  QCommandLineOption l{QStringLiteral("l"), QStringLiteral("The coefficient l (default 1)."),
                       QStringLiteral("l")};
  QCommandLineOption start{QStringLiteral("start"), QStringLiteral("The start a (default 1)."),
                           QStringLiteral("a")};
  QCommandLineOption precision{
      QStringLiteral("precision"),
      QStringLiteral("The precision; its length in characters sets the decimals of the roots "
                     "(default 0,001 with the locale's separator)."),
      QStringLiteral("eps")};
  QCommandLineOption end{QStringLiteral("end"), QStringLiteral("The end b (default 2)."),
                         QStringLiteral("b")};
  QCommandLineOption methods{
      QStringLiteral("methods"),
      QStringLiteral("The methods to solve with, by key: bisection, chords, tangents, secants, "
                     "iteration, combined (default the first four)."),
      QStringLiteral("keys")};
  QCommandLineOption lambda{QStringLiteral("lambda"),
                            QStringLiteral("λ of simple iteration, φ(x) = x − λ·f(x) (default "
                                           "1/M with the sign of f′, M = max |f′| on [a, b])."),
                            QStringLiteral("λ")};
  QCommandLineOption phi{QStringLiteral("phi"),
                         QStringLiteral("φ(x) of simple iteration typed instead, e.g. 'cos(x)'."),
                         QStringLiteral("φ(x)")};
  QCommandLineOption format{QStringLiteral("format"),
                            QStringLiteral("Output: text (default), csv or json."),
                            QStringLiteral("format")};
  QCommandLineOption history{QStringLiteral("history"),
                             QStringLiteral("Add each method's passes (text and json); with "
                                            "--report, each method's pages.")};
  QCommandLineOption separator{
      QStringLiteral("decimal-separator"),
      QStringLiteral("The decimal separator of inputs and outputs, '.' or ',', instead of the "
                     "locale's."),
      QStringLiteral("c")};
  QCommandLineOption report{QStringLiteral("report"),
                            QStringLiteral("Also write the run's report as PDF."),
                            QStringLiteral("file.pdf")};
  QCommandLineOption variants{QStringLiteral("variants"),
                              QStringLiteral("Make n variants with their answer key."),
                              QStringLiteral("n")};
  QCommandLineOption seed{QStringLiteral("seed"),
                          QStringLiteral("The variants' seed (default 1): the same seed, the "
                                         "same variants."),
                          QStringLiteral("s")};
  QCommandLineOption equations{QStringLiteral("equations"),
                               QStringLiteral("The equations to draw from, e.g. 0,3,8 "
                                              "(default all)."),
                               QStringLiteral("list")};
  QCommandLineOption out{QStringLiteral("out"),
                         QStringLiteral("The folder for variants.pdf, answers.csv and "
                                        "answers.pdf (made when missing)."),
                         QStringLiteral("dir")};

  QList<QCommandLineOption> All() const {
    return {solve,  equation, formula, k,         l,      start,   precision,
            end,    methods,  lambda,  phi,       format, history, separator,
            report, variants, seed,    equations, out};
  }
};

// Options that belong to one of the two commands only.
void RequireCommand(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                    bool command_given, const QString& command) {
  for (const QCommandLineOption& option : options) {
    if (parser.isSet(option) && !command_given)
      throw UsageError{QStringLiteral("--%1 needs %2").arg(option.names().constFirst(), command)};
  }
}

int NumberIn(const QString& text, int lowest, int highest, const QString& option) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest || value > highest) {
    throw UsageError{QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
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
    throw UsageError{
        QStringLiteral("--decimal-separator takes '.' or ',', not '%1'").arg(separator)};
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
      throw UsageError{QStringLiteral("--formula and --equation exclude each other")};
    inputs.formula = Utf8(parser.value(options.formula));
    if (inputs.formula.empty()) throw UsageError{QStringLiteral("--formula needs a formula")};
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
      if (entry == nullptr) throw UsageError{QStringLiteral("--methods: no method '%1'").arg(key)};
      inputs.methods.Add(entry->number);
    }
  }
  if (parser.isSet(options.lambda)) {
    const QString text = parser.value(options.lambda);
    try {
      inputs.parameters.lambda = core::Extended(app::ParseReal(Utf8(text))).ToDouble();
    } catch (const core::Exception&) {
      throw UsageError{QStringLiteral("--lambda takes a number, not '%1'").arg(text)};
    }
  }
  return inputs;
}

std::string MethodPassesText(const app::RunRecord& record) {
  std::string text;
  for (const core::Method method : record.method_set) {
    text += "\n" + std::string(core::EntryOf(method).name) + "\n";
    text += app::AlignedText(app::PassTable(record.History(method)).AllLines());
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

void WriteReportFile(const QString& path, const app::SolvedRun& solved, bool with_methods) {
  const RunReport report{solved.record, solved.window.Lines(), solved.window.StatusText(),
                         with_methods};
  WritePdf(path, QStringLiteral("Решение нелинейных уравнений"),
           [&report](QPagedPaintDevice& device) { PaintRunReport(device, report); });
}

int SolveCommand(const QCommandLineParser& parser, const Options& options) {
  const QString format =
      parser.isSet(options.format) ? parser.value(options.format) : QStringLiteral("text");
  if (format != QStringLiteral("text") && format != QStringLiteral("csv") &&
      format != QStringLiteral("json"))
    throw UsageError{QStringLiteral("--format takes text, csv or json, not '%1'").arg(format)};
  const bool history = parser.isSet(options.history);
  if (history && format == QStringLiteral("csv"))
    throw UsageError{QStringLiteral("--history works with --format text or json")};
  app::InputTexts inputs = SolveInputs(parser, options);
  if (parser.isSet(options.phi)) {
    if (parser.isSet(options.lambda))
      throw UsageError{QStringLiteral("--phi and --lambda exclude each other")};
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
  if (format == QStringLiteral("json")) {
    const QByteArray json = RunJson(solved, history);
    Write(stdout, json.toStdString());
  } else if (format == QStringLiteral("csv")) {
    Write(stdout, app::DelimitedText(solved.window.Lines(),
                                     app::CsvFieldSeparator(app::DecimalSeparator()), "\n"));
  } else {
    std::string text = app::AlignedText(solved.window.Lines());
    if (!solved.window.StatusText().empty()) text += solved.window.StatusText() + "\n";
    if (history) text += MethodPassesText(*solved.record);
    Write(stdout, text);
  }
  if (parser.isSet(options.report)) WriteReportFile(parser.value(options.report), solved, history);
  // The error box's text, after the table as the window keeps it.
  if (solved.error) {
    Write(stderr, app::ReportText(*solved.error) + "\n");
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
      throw UsageError{QStringLiteral("--seed takes a whole number from 0 to 18446744073709551615, "
                                      "not '%1'")
                           .arg(parser.value(options.seed))};
  }
  if (parser.isSet(options.equations))
    request.equations = EquationList(parser.value(options.equations));
  if (parser.isSet(options.precision))
    request.precision_text = Utf8(parser.value(options.precision));
  if (!parser.isSet(options.out)) throw UsageError{QStringLiteral("--variants needs --out")};

  WriteVariantFiles(parser.value(options.out), app::MakeVariants(request));
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

int Run(const QStringList& arguments, int argc, char* argv[]) {
  Options options;
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Solves nonlinear equations by bisection, chords, tangents and secants.\n"
                     "Without options the program opens its windows."));
  parser.addOptions(options.All());
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  if (!parser.parse(QStringList{QString::fromLocal8Bit(argv[0])} + arguments))
    throw UsageError{parser.errorText()};
  if (!parser.positionalArguments().isEmpty())
    throw UsageError{
        QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst())};

  const bool paints = parser.isSet(options.variants) || parser.isSet(options.report);
  const std::unique_ptr<QCoreApplication> application = NewApplication(paints, argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("nonlinear-equations"));
  QCoreApplication::setApplicationVersion(QStringLiteral(NLE_VERSION));
  core::EstablishFloatingPointEnvironment();

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
  if (solve && variants)
    throw UsageError{QStringLiteral("--solve and --variants exclude each other")};
  if (!solve && !variants) throw UsageError{QStringLiteral("--solve or --variants is needed")};
  RequireCommand(parser,
                 {options.equation, options.formula, options.k, options.l, options.start,
                  options.end, options.methods, options.lambda, options.phi, options.format,
                  options.history, options.report},
                 solve, QStringLiteral("--solve"));
  RequireCommand(parser, {options.seed, options.equations, options.out}, variants,
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
      throw UsageError{QStringLiteral("argument %1 is not valid UTF-8").arg(i)};
  }
  return arguments;
}

int RunReportingErrors(int argc, char* argv[]) {
  try {
    return Run(WithoutQtOptions(Arguments(argc, argv)), argc, argv);
  } catch (const UsageError& error) {
    Write(stderr, QStringLiteral("nonlinear-equations: %1\n"
                                 "Try 'nonlinear-equations --help' for more information.\n")
                      .arg(error.what));
    return kExitUsage;
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
