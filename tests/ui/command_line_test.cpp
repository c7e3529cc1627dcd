// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a command: arguments in, exit status, standard output and
// standard error out, run as a separate process with no display. The text
// output of the defaults is checked against the main window's own table.
#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "app/formula_feedback.h"
#include "app/number_text.h"
#include "app/pass_table.h"
#include "app/variants.h"
#include "core/floating_point_environment.h"
#include "ui/Unit1.h"
#include "ui/command_line/qt_options.h"
#include "ui/detail/detail_opener.h"
#include "ui/detail/detail_window.h"
#include "ui/report/print_command.h"
#include "ui/report/run_report.h"
#include "ui/widgets/status_panel.h"

namespace {

struct Result {
  int status = -1;
  QString out;
  QString err;
};

// `environment` changes the test's own: "NAME=value" sets, "-NAME" removes.
Result RunProgram(const QStringList& arguments, const QStringList& environment = {}) {
  QProcess process;
  QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
  for (const QString& change : environment) {
    if (change.startsWith(QLatin1Char('-'))) {
      variables.remove(change.mid(1));
    } else {
      variables.insert(change.section(QLatin1Char('='), 0, 0), change.section(QLatin1Char('='), 1));
    }
  }
  process.setProcessEnvironment(variables);
  process.start(QStringLiteral(NLE_PROGRAM), arguments);
  if (!process.waitForFinished(60'000)) {
    process.kill();
    process.waitForFinished();
    return {-1, QString(), QStringLiteral("the program did not end within 60 s")};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

QString Tool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60'000)) return QStringLiteral("(%1 did not end)").arg(program);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& path) {
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                            .match(Tool(QStringLiteral("pdfinfo"), {path}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

const QString kHint = QStringLiteral("Try 'nonlinear-equations --help' for more information.\n");

// The words pdftotext finds, with their height in points, of those that run
// across the page: the height of a word turned on its side is its width.
QList<std::pair<double, QString>> LevelWordHeights(const QString& pdf) {
  const QString html =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  static const QRegularExpression word(QStringLiteral(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
      "([^<]*)</word>"));
  QList<std::pair<double, QString>> heights;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const QRegularExpressionMatch found = match.next();
    const double width = found.captured(3).toDouble() - found.captured(1).toDouble();
    const double height = found.captured(4).toDouble() - found.captured(2).toDouble();
    // A single character's box does not tell which way it runs.
    if (width > height && found.captured(5).size() > 1) heights.append({height, found.captured(5)});
  }
  return heights;
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void answersEachKindOfCall_data();
  void answersEachKindOfCall();
  void leavesTheToolkitsOptionsToTheToolkit_data();
  void leavesTheToolkitsOptionsToTheToolkit();
  void printsTheWindowsTableForTheDefaults();
  void marksAFormulasErrorAsTheWindowDoes_data();
  void marksAFormulasErrorAsTheWindowDoes();
  void writesTheDocumentedJson();
  void namesNoFastestMethodAfterAnError();
  void givesEachVerdictItsKeyAndNotes_data();
  void givesEachVerdictItsKeyAndNotes();
  void printsTheFirstAndLastPassesOfARunAtTheCap();
  void readsOnPaper_data();
  void readsOnPaper();
  void speaksTheUsersLanguage_data();
  void speaksTheUsersLanguage();
  void writesNoRowsForARunThatCannotStart_data();
  void writesNoRowsForARunThatCannotStart();
  void writesTheWorkedSolutionAsTextAndInTheReport();
  void writesTheTwoMethodsSettings();
  void writesTheSameVariantsAsTheLibraryForTheSameSeed();
  void printsTheMainWindowAndADetailWindow();
  void tellsWhenItsOutputIsLost_data();
  void tellsWhenItsOutputIsLost();
  void concurrentVariantRunsLeaveWholeSets();
  void reportWrapsLongInputsAndSaysWhenItCuts_data();
  void reportWrapsLongInputsAndSaysWhenItCuts();
};

void CommandLineTest::initTestCase() {
  // "." for the window here and for the program started below.
  qputenv("LC_ALL", "C.UTF-8");
  core::EstablishFloatingPointEnvironment();
  app::ReadDecimalSeparator();
  QCOMPARE(QString::fromStdString(app::DecimalSeparator()), QStringLiteral("."));
}

void CommandLineTest::answersEachKindOfCall_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("out");  // "*" ends a prefix
  QTest::addColumn<QString>("err");

  const QString table_csv = QStringLiteral(
      "Метод рассчета;Значение;Кол-во итераций\n"
      "Метод хорд;1,571;3\n"
      "Метод касательных;1,571;3\n"
      "Метод секущих;1,571;4\n"
      "Метод половинного деления;1,571;11\n");
  QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("Usage: *")
                        << QString();
  QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                           << QStringLiteral("nonlinear-equations 1.0.0\nLicense GPLv3+*")
                           << QString();
  QTest::newRow("csv with a comma")
      << QStringList{"--solve", "--format", "csv", "--decimal-separator", ","} << 0 << table_csv
      << QString();
  QTest::newRow("the toolkit's options pass")
      << QStringList{"-platform", "offscreen", "--solve", "--format", "csv", "-reverse"} << 0
      << QStringLiteral("Метод рассчета,*") << QString();
  QTest::newRow("variants without a folder")
      << QStringList{"--variants", "3"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --variants needs --out\n") + kHint;
  QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")} << 2 << QString()
                                  << QStringLiteral(
                                         "nonlinear-equations: Unknown option 'bogus'.\n") +
                                         kHint;
  QTest::newRow("plain argument") << QStringList{QStringLiteral("run")} << 2 << QString()
                                  << QStringLiteral(
                                         "nonlinear-equations: unexpected argument 'run'\n") +
                                         kHint;
  QTest::newRow("no command") << QStringList{"--k", "2"} << 2 << QString()
                              << QStringLiteral(
                                     "nonlinear-equations: --solve or --variants is "
                                     "needed\n") +
                                     kHint;
  QTest::newRow("equation beyond the list")
      << QStringList{"--solve", "--equation", "10"} << 2 << QString()
      << QStringLiteral(
             "nonlinear-equations: --equation takes a whole number from 0 to 9, "
             "not '10'\n") +
             kHint;
  QTest::newRow("format") << QStringList{"--solve", "--format", "xml"} << 2 << QString()
                          << QStringLiteral(
                                 "nonlinear-equations: --format takes text, csv or "
                                 "json, not 'xml'\n") +
                                 kHint;
  QTest::newRow("option of the other command")
      << QStringList{"--solve", "--seed", "3"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --seed needs --variants\n") + kHint;
  QTest::newRow("two-character separator")
      << QStringList{"--solve", "--decimal-separator", ".."} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --decimal-separator takes '.' or ',', not '..'\n") +
             kHint;
  // Either would change what a number means: 0e001 read as a power of ten,
  // every number misread.
  QTest::newRow("exponent as separator")
      << QStringList{"--solve", "--decimal-separator", "e", "--precision", "0e001"} << 2
      << QString()
      << QStringLiteral("nonlinear-equations: --decimal-separator takes '.' or ',', not 'e'\n") +
             kHint;
  QTest::newRow("digit as separator")
      << QStringList{"--solve", "--decimal-separator", "5"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --decimal-separator takes '.' or ',', not '5'\n") +
             kHint;
  // The window reads k first: a run that cannot start writes no table (a
  // script would read its headers as a result), the error box's message
  // goes to standard error.
  QTest::newRow("input that is no number")
      << QStringList{"--solve", "--format", "csv", "--k", "abc"} << 1 << QString()
      << QStringLiteral("'abc' is not a valid floating point value.\n");
  QTest::newRow("typed formula")
      << QStringList{"--solve", "--formula", "x^3-2*x-5", "--start", "2",
                     "--end",   "3",         "--format",  "csv"}
      << 0
      << QStringLiteral("Метод рассчета,Значение,Кол-во итераций\nМетод касательных,2.095,3\n*")
      << QString();
  QTest::newRow("formula that cannot be read")
      << QStringList{"--solve", "--formula", "x^3-x(2)"} << 1 << QString()
      << QStringLiteral(
             "пропущен знак «*» в позиции 6: x*(2)\n"
             "  x^3-x(2)\n       ^\n");
  QTest::newRow("formula and equation")
      << QStringList{"--solve", "--formula", "x", "--equation", "1"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --formula and --equation exclude each other\n") +
             kHint;
  QTest::newRow("steps in csv")
      << QStringList{"--solve", "--steps", "--format", "csv"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --steps works with --format text or --report\n") +
             kHint;
  QTest::newRow("the separator is the locale's")
      << QStringList{"--solve", "--start", "1,5"} << 1 << QString()
      << QStringLiteral(
             "'1,5' is not a valid floating point value.\n"
             "Hint: use 1.5 or --decimal-separator ,\n");
}

void CommandLineTest::answersEachKindOfCall() {
  QFETCH(QStringList, arguments);
  QFETCH(int, status);
  QFETCH(QString, out);
  QFETCH(QString, err);
  const Result result = RunProgram(arguments);
  QCOMPARE(result.err, err);
  QCOMPARE(result.status, status);
  if (out.endsWith(QLatin1Char('*'))) {
    QVERIFY2(result.out.startsWith(out.chopped(1)), qPrintable(result.out));
  } else {
    QCOMPARE(result.out, out);
  }
}

void CommandLineTest::leavesTheToolkitsOptionsToTheToolkit_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QStringList>("left");
  QTest::newRow("none") << QStringList{} << QStringList{};
  QTest::newRow("platform") << QStringList{"-platform", "offscreen"} << QStringList{};
  QTest::newRow("style with =") << QStringList{"-style=fusion", "-reverse"} << QStringList{};
  QTest::newRow("two dashes") << QStringList{"--platform", "xcb"} << QStringList{};
  QTest::newRow("ours among them")
      << QStringList{"-platform", "offscreen", "--solve", "-style", "fusion", "--k", "2"}
      << QStringList{"--solve", "--k", "2"};
  QTest::newRow("unknown") << QStringList{"-frobnicate"} << QStringList{"-frobnicate"};
  QTest::newRow("the window's title and the handout's")
      << QStringList{"-title", "Окно", "--variants", "2", "--title=Лабораторная", "--title", "3"}
      << QStringList{"--variants", "2", "--title=Лабораторная", "--title", "3"};
}

void CommandLineTest::leavesTheToolkitsOptionsToTheToolkit() {
  QFETCH(QStringList, arguments);
  QFETCH(QStringList, left);
  QCOMPARE(ui::WithoutQtOptions(arguments), left);
  // With nothing left the windows start, which the program's own process
  // would show on a display; the decision is all there is to see here.
  std::vector<QByteArray> bytes;
  std::vector<char*> argv;
  bytes.emplace_back("nonlinear-equations");
  for (const QString& argument : arguments) bytes.push_back(argument.toUtf8());
  for (QByteArray& argument : bytes) argv.push_back(argument.data());
  QCOMPARE(ui::IsCommandLine(static_cast<int>(argv.size()), argv.data()), !left.isEmpty());
}

void CommandLineTest::printsTheWindowsTableForTheDefaults() {
  TForm1 window;
  window.Button1Click(&window);
  const Result result = RunProgram({QStringLiteral("--solve")});
  QCOMPARE(result.status, 0);
  const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), window.RowCount() + 1);
  for (int row = 0; row < window.RowCount(); ++row) {
    QStringList window_row;
    for (int column = 0; column < window.ColumnCount(); ++column)
      window_row << QString::fromStdString(window.Cell(column, row));
    QCOMPARE(lines[row].split(QRegularExpression(QStringLiteral(" {2,}"))), window_row);
  }
  QCOMPARE(lines.last(), window.StatusPanel->text());
}

void CommandLineTest::marksAFormulasErrorAsTheWindowDoes_data() {
  QTest::addColumn<QString>("formula");
  QTest::newRow("short") << QStringLiteral("x^2 - *3");
  QTest::newRow("tab before the place") << QStringLiteral("x\t+\t*2");
  QTest::newRow("letters of two bytes") << QStringLiteral("−x+№");
  QTest::newRow("long") << QStringLiteral("x+") + QString(40, QLatin1Char('1')) +
                               QStringLiteral("+*x+") + QString(40, QLatin1Char('1'));
}

// The window shows the formula, the mark and the message; the command line
// the message, then the same two lines indented.
void CommandLineTest::marksAFormulasErrorAsTheWindowDoes() {
  QFETCH(QString, formula);
  const QStringList window =
      QString::fromStdString(app::ReadFormula(formula.toStdString()).text).split('\n');
  QCOMPARE(window.size(), 3);
  const Result result = RunProgram({"--solve", "--formula", formula});
  QCOMPARE(result.status, 1);
  QCOMPARE(result.err, window[2] + QStringLiteral(".\n  ") + window[0] + QStringLiteral("\n  ") +
                           window[1] + QLatin1Char('\n'));
}

void CommandLineTest::writesTheDocumentedJson() {
  const Result result =
      RunProgram({"--solve", "--equation", "3", "--k", "1", "--l", "0", "--start", "0",
                  "--precision", "0.0001", "--end", "1", "--format", "json", "--history"});
  QCOMPARE(result.status, 0);
  QJsonParseError error;
  const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8(), &error).object();
  QCOMPARE(error.error, QJsonParseError::NoError);
  const QJsonObject inputs = json[QStringLiteral("inputs")].toObject();
  QCOMPARE(inputs[QStringLiteral("equation")].toInt(), 3);
  QCOMPARE(inputs[QStringLiteral("function")].toString(),
           QStringLiteral("f(x) = k·cos(x) − x + l"));
  QCOMPARE(inputs[QStringLiteral("precision")].toString(), QStringLiteral("0.0001"));
  QCOMPARE(json[QStringLiteral("table")].toArray().size(), 5);
  QVERIFY(json[QStringLiteral("error")].isNull());
  QCOMPARE(json[QStringLiteral("status")].toString(),
           QStringLiteral("Самый быстрый метод для данного уравнения - ") +
               json[QStringLiteral("fastest")].toString());
  const QJsonArray methods = json[QStringLiteral("methods")].toArray();
  QCOMPARE(methods.size(), 4);
  for (const QJsonValue& value : methods) {
    const QJsonObject method = value.toObject();
    const QJsonArray table_row =
        json[QStringLiteral("table")].toArray()[method[QStringLiteral("row")].toInt()].toArray();
    QCOMPARE(table_row[0].toString(), method[QStringLiteral("name")].toString());
    QCOMPARE(table_row[1].toString(), method[QStringLiteral("root_text")].toString());
    QCOMPARE(table_row[2].toString(), QString::number(method[QStringLiteral("count")].toInt()));
    // The detail window's result line.
    QCOMPARE(method[QStringLiteral("result")].toString(),
             QStringLiteral("Корень (как в таблице): ") + table_row[1].toString() +
                 QStringLiteral(", итераций: ") + table_row[2].toString());
    QVERIFY(std::fabs(method[QStringLiteral("root")].toDouble() - 0.7391) < 1e-12);
    const QJsonArray passes = method[QStringLiteral("passes")].toArray();
    QVERIFY(!passes.isEmpty());
    for (const char* field : {"n", "a", "b", "x", "fx", "dfx", "step"})
      QVERIFY2(passes.last().toObject().contains(QLatin1String(field)), field);
    QVERIFY(method[QStringLiteral("evaluations")].toObject()[QStringLiteral("f")].toInt() > 0);
    const QJsonObject verdict = method[QStringLiteral("verdict")].toObject();
    QCOMPARE(verdict[QStringLiteral("outcome")].toString(), QStringLiteral("сошёлся"));
    QVERIFY(verdict[QStringLiteral("text")].toString().startsWith(QStringLiteral("Сошёлся")));
  }
}

// f′(0) = 0 stops the tangents: no method is the fastest, and the table
// keeps the order of the run.
void CommandLineTest::namesNoFastestMethodAfterAnError() {
  const Result result = RunProgram({"--solve", "--start", "0", "--format", "json"});
  QCOMPARE(result.status, 1);
  const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
  QVERIFY2(json[QStringLiteral("fastest")].isNull(), qPrintable(result.out));
  QCOMPARE(json[QStringLiteral("status")].toString(), QString());
  const QJsonArray methods = json[QStringLiteral("methods")].toArray();
  QCOMPARE(methods.size(), 4);
  for (int i = 0; i < methods.size(); ++i)
    QCOMPARE(methods[i][QStringLiteral("row")].toInt(), i + 1);
  QCOMPARE(methods[2][QStringLiteral("result")].toString(),
           QStringLiteral("Метод завершился ошибкой: «Floating point division by zero». Проходы "
                          "до ошибки — в таблице."));
  QVERIFY(methods[3][QStringLiteral("result")].isNull());
}

void CommandLineTest::givesEachVerdictItsKeyAndNotes_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("fastest");  // empty: null
  QTest::addColumn<QString>("status");
  // Per method in the table's order: "key" or "key:note,note".
  QTest::addColumn<QStringList>("verdicts");
  QTest::addColumn<QString>("text");  // a line of the text output
  QTest::newRow("no method ran") << QStringList{"--start", "abc"} << QString() << QString()
                                 << QStringList{"not_run", "not_run", "not_run", "not_run"}
                                 << QString();
  QTest::newRow("an error after bisection")
      << QStringList{"--formula", "x^2+1", "--start", "0", "--end", "1"} << QString() << QString()
      << QStringList{"not_a_root", "error", "not_run", "not_run"}
      << "Метод половинного деления  0.999 — не корень  11";
  // The error ends the run before the table is sorted, and the value tangents
  // left behind is still no root.
  QTest::newRow("f tends to zero, then an error")
      << QStringList{"--formula", "x*exp(-x)", "--start", "2", "--end", "3"} << QString()
      << QString()
      << QStringList{"not_a_root", "cycle:outside_interval", "f_tends_to_zero:outside_interval",
                     "f_tends_to_zero"}
      << "Метод касательных          10.019 — f → 0     7";
  QTest::newRow("equation 4") << QStringList{"--equation", "4",       "--k", "3",     "--l",
                                             "-2",         "--start", "-1",  "--end", "2"}
                              << "Метод хорд"
                              << "Самый быстрый метод для данного уравнения - Метод хорд"
                              << QStringList{"not_a_root", "converged:outside_interval", "cycle",
                                             "converged:outside_interval"}
                              << "Метод хорд                 2.917 — вне отрезка   7";
  QTest::newRow("exact root passed")
      << QStringList{"--formula", "sin(x)", "--start", "-1", "--end", "1"} << "Метод хорд"
      << "Самый быстрый метод для данного уравнения - Метод хорд"
      << QStringList{"not_a_root:exact_root_passed", "converged", "converged:higher_order",
                     "converged"}
      << "Метод половинного деления  0.999 — не корень  12";
  QTest::newRow("six methods")
      << QStringList{"--formula",   "x^3-2*x-5",
                     "--start",     "2",
                     "--end",       "3",
                     "--precision", "0.0000001",
                     "--methods",   "bisection,chords,tangents,secants,iteration,combined"}
      << "Метод касательных"
      << "Самый быстрый метод для данного уравнения - Метод касательных"
      << QStringList{"converged", "converged", "converged", "converged", "converged:contraction",
                     "converged"}
      << "Комбинированный метод хорд и касательных  2.0945515  6";
  QTest::newRow("the combined method refused")
      << QStringList{"--formula", "x^3+x-1", "--start",   "-1",
                     "--end",     "1",       "--methods", "tangents,combined"}
      << "Метод касательных"
      << "Самый быстрый метод для данного уравнения - Метод касательных"
      << QStringList{"converged", "not_run:condition_not_met"}
      << "Комбинированный метод хорд и касательных  условие не выполнено  0";
  QTest::newRow("no root") << QStringList{"--equation", "8", "--k",         "2",   "--l",   "-1.5",
                                          "--start",    "2", "--precision", "0.5", "--end", "3"}
                           << QString() << "Ни один метод не нашёл корень"
                           << QStringList{"not_a_root", "iteration_cap:outside_interval",
                                          "iteration_cap:outside_interval",
                                          "not_a_root:outside_interval"}
                           << "Ни один метод не нашёл корень";
}

// The JSON's verdicts carry stable keys and notes beside the Russian text;
// "fastest" names only a method that found a root, and the text output
// carries the window's marks.
void CommandLineTest::givesEachVerdictItsKeyAndNotes() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, fastest);
  QFETCH(QString, status);
  QFETCH(QStringList, verdicts);
  QFETCH(QString, text);
  const Result result =
      RunProgram(QStringList{"--solve"} + arguments + QStringList{"--format", "json"});
  const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
  QCOMPARE(json[QStringLiteral("fastest")].isNull(), fastest.isEmpty());
  QCOMPARE(json[QStringLiteral("fastest")].toString(), fastest);
  QCOMPARE(json[QStringLiteral("status")].toString(), status);
  QStringList keys;
  for (const QJsonValue& method : json[QStringLiteral("methods")].toArray()) {
    const QJsonValue verdict = method[QStringLiteral("verdict")];
    QString key = verdict[QStringLiteral("key")].toString();
    QStringList notes;
    for (const QJsonValue& note : verdict[QStringLiteral("notes")].toArray())
      notes << note.toString();
    if (!notes.isEmpty()) key += ':' + notes.join(',');
    keys << key;
    QVERIFY(!verdict[QStringLiteral("text")].toString().isEmpty());
  }
  QCOMPARE(keys, verdicts);
  if (!text.isEmpty()) {
    const Result plain = RunProgram(QStringList{"--solve"} + arguments);
    QVERIFY2(plain.out.split('\n').contains(text), qPrintable(plain.out));
  }
}

// Simple iteration and the combined method say which bound their stopping
// test compared with, and simple iteration its λ, M and q; the four
// methods' objects carry none of these.
void CommandLineTest::writesTheTwoMethodsSettings() {
  const Result result =
      RunProgram({"--solve", "--formula", "x^3-2*x-5", "--start", "2", "--end", "3", "--precision",
                  "0.0000001", "--methods", "secants,iteration,combined", "--format", "json"});
  QCOMPARE(result.status, 0);
  const QJsonArray methods =
      QJsonDocument::fromJson(result.out.toUtf8())[QStringLiteral("methods")].toArray();
  QCOMPARE(methods.size(), 3);
  const QJsonObject secants = methods[0].toObject();
  for (const char* key : {"stopping_test", "lambda", "largest_slope", "contraction"})
    QVERIFY2(!secants.contains(QLatin1String(key)), key);
  const QJsonObject iteration = methods[1].toObject();
  QCOMPARE(iteration[QStringLiteral("key")].toString(), QStringLiteral("iteration"));
  QCOMPARE(iteration[QStringLiteral("lambda")].toDouble(), 0.04);
  QCOMPARE(iteration[QStringLiteral("largest_slope")].toDouble(), 25.0);
  QCOMPARE(iteration[QStringLiteral("contraction")].toDouble(), 0.6);
  const QJsonObject test = iteration[QStringLiteral("stopping_test")].toObject();
  QCOMPARE(test[QStringLiteral("quantity")].toString(), QStringLiteral("|xₙ − xₙ₋₁|"));
  QCOMPARE(test[QStringLiteral("bound")].toString(), QStringLiteral("(1 − q)/q·ε"));
  QVERIFY(std::fabs(test[QStringLiteral("tolerance")].toDouble() - 0.4 / 0.6 * 1e-7) < 1e-20);
  const QJsonObject combined = methods[2].toObject();
  QCOMPARE(combined[QStringLiteral("stopping_test")][QStringLiteral("bound")].toString(),
           QStringLiteral("2·ε"));
  QCOMPARE(combined[QStringLiteral("stopping_test")][QStringLiteral("tolerance")].toDouble(), 2e-7);
  QCOMPARE(combined[QStringLiteral("root_text")].toString(), QStringLiteral("2.0945515"));
}

void CommandLineTest::printsTheFirstAndLastPassesOfARunAtTheCap() {
  QTemporaryDir folder;
  const QString whole = folder.filePath(QStringLiteral("whole.pdf"));
  const QString ends = folder.filePath(QStringLiteral("ends.pdf"));
  // At the cap: three methods stop there, the secants end in an error; the
  // report is written all the same, as the window keeps its table.
  const QStringList cap = {"--solve", "--precision", "-1", "--history"};
  const Result json = RunProgram(cap + QStringList{"--format", "json"});
  const Result report = RunProgram(cap + QStringList{"--report", whole});
  const Result text = RunProgram(cap + QStringList{"--history-passes", "3", "--report", ends});
  QCOMPARE(report.status, 1);
  QCOMPARE(json.status, 1);
  QCOMPARE(text.status, 1);
  const QJsonArray methods =
      QJsonDocument::fromJson(json.out.toUtf8())[QStringLiteral("methods")].toArray();
  const int passes[] = {5001, 5001, 5001, 6};
  for (int i = 0; i < 4; ++i)
    QCOMPARE(methods[i][QStringLiteral("passes")].toArray().size(), passes[i]);
  // Every pass, numbered to the last page.
  const int pages = PdfPages(whole);
  QVERIFY2(pages > 100, qPrintable(QString::number(pages)));
  const QString all =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), whole, QStringLiteral("-")});
  for (const QString& cell :
       {QStringLiteral("Кол-во итераций"), QStringLiteral("Метод половинного деления"),
        QStringLiteral("5002"), QStringLiteral("Таблица проходов: Метод секущих"),
        QStringLiteral("Расчёт прерван ошибкой: Invalid"),
        QStringLiteral("Страница %1 из %1").arg(pages)})
    QVERIFY2(all.contains(cell), qPrintable(cell));
  // The first three passes and the last three, "…" between them: the
  // bisection's rows 0 to 2 and 4998 to 5000 (its counter says 5002).
  QCOMPARE(PdfPages(ends), 3);
  const QString shortened =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ends, QStringLiteral("-")});
  for (const QString& text_out : {shortened, text.out}) {
    QCOMPARE(text_out.count(QRegularExpression(QStringLiteral("(?m)^\\s*…\\s+…"))), 3);
    // The secants' six passes are all there: three at each end leave none out.
    QVERIFY2(text_out.contains(QRegularExpression(QStringLiteral("(?m)^\\s*4998\\s"))),
             qPrintable(text_out));
    QVERIFY(!text_out.contains(QRegularExpression(QStringLiteral("(?m)^\\s*(2000|4997)\\s"))));
  }
}

void CommandLineTest::readsOnPaper_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("most_pages");
  QTest::addColumn<QStringList>("texts");  // each somewhere in the document
  const QStringList legend = {QStringLiteral("Половинное деление — сошёлся"),
                              QStringLiteral("Хорды — сошёлся"),
                              QStringLiteral("Касательные — сошёлся"),
                              QStringLiteral("Секущие — сошёлся"),
                              QStringLiteral("Отрезок прохода"),
                              QStringLiteral("Приближения xₙ")};
  QTest::newRow("the default run with its passes")
      << QStringList{"--solve", "--history", "--report"} << QStringLiteral("run.pdf") << 3
      << legend;
  // Long tables run over pages: each continuation says whose it is.
  QTest::newRow("the first and last 30 passes at the cap")
      << QStringList{"--solve",          "--precision", "-1",      "--history",
                     "--history-passes", "30",          "--report"}
      << QStringLiteral("run.pdf") << 12
      << QStringList{QStringLiteral("Таблица проходов: Метод хорд (продолжение)")};
  QTest::newRow("a handout of 25 variants")
      << QStringList{"--variants", "25", "--seed", "2026", "--title", "Лабораторная 3", "--out"}
      << QStringLiteral("variants.pdf") << 5
      << QStringList{QStringLiteral("Лабораторная 3. Вариант 25"), QStringLiteral("Фамилия, имя:"),
                     QStringLiteral("Решите уравнение f(x) = 0, где f(x) = k·cos(l·x); k = "),
                     QStringLiteral("В списке программы: x=k*cos(l*x).")};
  QTest::newRow("its answer key") << QStringList{"--variants", "25", "--seed", "2026", "--out"}
                                  << QStringLiteral("answers.pdf") << 3
                                  << QStringList{QStringLiteral("2.170803764"),
                                                 QStringLiteral("просмотрено кандидатов")};
}

// Page numbers, a running header naming the method of every pass table on
// the page, legends, and no text smaller than 8 pt across the page.
void CommandLineTest::readsOnPaper() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, file);
  QFETCH(int, most_pages);
  QFETCH(QStringList, texts);
  QTemporaryDir folder;
  const bool report = arguments.constLast() == QStringLiteral("--report");
  const QString target = report ? folder.filePath(file) : folder.path();
  QCOMPARE(RunProgram(arguments + QStringList{target}).status, arguments.contains("-1") ? 1 : 0);
  const QString pdf = folder.filePath(file);
  const int pages = PdfPages(pdf);
  QVERIFY2(pages >= 1 && pages <= most_pages, qPrintable(QString::number(pages)));
  const QString text =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  QString flat = text;
  flat.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
  for (const QString& expected : texts) QVERIFY2(flat.contains(expected), qPrintable(expected));
  QVERIFY(!flat.contains(QStringLiteral("то есть")));
  const QStringList page_texts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  QCOMPARE(page_texts.size(), pages);
  static const QRegularExpression table(QStringLiteral("Таблица проходов: (Метод [а-я ]+)"));
  for (int page = 0; page < pages; ++page) {
    const QString& here = page_texts[page];
    QVERIFY2(here.contains(QStringLiteral("Страница %1 из %2").arg(page + 1).arg(pages)),
             qPrintable(here));
    const QString header = here.section(QLatin1Char('\n'), 0, 0);
    for (auto match = table.globalMatch(here); match.hasNext();) {
      const QString method = match.next().captured(1).trimmed();
      // Long headers end in "…", past the page's half: the first method is
      // always whole.
      if (match.hasNext()) continue;
      QVERIFY2(header.contains(method) || header.endsWith(QStringLiteral("…")),
               qPrintable(header + " / " + method));
    }
  }
  const QList<std::pair<double, QString>> heights = LevelWordHeights(pdf);
  QVERIFY(!heights.isEmpty());
  // DejaVu Sans: a word is 1.164 times its size high.
  for (const auto& [height, word] : heights)
    QVERIFY2(height >= 8 * 1.16, qPrintable(QStringLiteral("%1: %2 pt").arg(word).arg(height)));
}

void CommandLineTest::speaksTheUsersLanguage_data() {
  QTest::addColumn<QStringList>("environment");
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("out");  // a part of it
  QTest::addColumn<QString>("err");  // the whole
  // Qt reads the locale's name: the locale need not be generated.
  const QStringList russian = {"LC_ALL=ru_RU.UTF-8"};
  const QStringList english = {"LC_ALL=C.UTF-8"};
  const QString russian_hint = QStringLiteral("Подробнее: «nonlinear-equations --help».\n");
  QTest::newRow("Russian help") << russian << QStringList{"--help"} << 0
                                << QStringLiteral("--solve                  Решить одно уравнение")
                                << QString();
  QTest::newRow("English help") << english << QStringList{"--help"} << 0
                                << QStringLiteral("--solve                  Solve one equation")
                                << QString();
  QTest::newRow("Russian from LANG")
      << QStringList{"-LC_ALL", "LANG=ru_RU.UTF-8"} << QStringList{"--help"} << 0
      << QStringLiteral("Использование: ") << QString();
  QTest::newRow("Russian usage error")
      << russian << QStringList{"--variants", "3"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: --variants требует --out\n") + russian_hint;
  QTest::newRow("Qt's own usage error in Russian")
      << russian << QStringList{"--bogus"} << 2 << QString()
      << QStringLiteral("nonlinear-equations: Неизвестный параметр «bogus».\n") + russian_hint;
  // The results and the error box's message stay as the windows have them.
  QTest::newRow("Russian separator hint")
      << russian << QStringList{"--solve", "--decimal-separator", ",", "--start", "1.5"} << 1
      << QString()
      << QStringLiteral(
             "'1.5' is not a valid floating point value.\n"
             "Подсказка: используйте 1,5 или --decimal-separator .\n");
  QTest::newRow("no hint for what is no number either way")
      << russian << QStringList{"--solve", "--decimal-separator", ",", "--start", "1.5.1"} << 1
      << QString() << QStringLiteral("'1.5.1' is not a valid floating point value.\n");
  const QStringList no_display = {"-DISPLAY", "-WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb"};
  QTest::newRow("no display, in Russian")
      << no_display + russian << QStringList{} << 1 << QString()
      << QStringLiteral(
             "nonlinear-equations: окнам программы нужен графический дисплей, а открыть его не "
             "удалось; --solve и --variants работают и без него (см. --help).\n");
  QTest::newRow("no display, in English")
      << no_display + english << QStringList{} << 1 << QString()
      << QStringLiteral(
             "nonlinear-equations: the windows need a graphical display, and none could be "
             "opened; --solve and --variants work without one (see --help).\n");
}

void CommandLineTest::speaksTheUsersLanguage() {
  QFETCH(QStringList, environment);
  QFETCH(QStringList, arguments);
  QFETCH(int, status);
  QFETCH(QString, out);
  QFETCH(QString, err);
  const Result result = RunProgram(arguments, environment);
  QCOMPARE(result.err, err);
  QCOMPARE(result.status, status);
  if (out.isEmpty()) {
    QCOMPARE(result.out, QString());
  } else {
    QVERIFY2(result.out.contains(out), qPrintable(result.out));
  }
}

void CommandLineTest::writesNoRowsForARunThatCannotStart_data() {
  QTest::addColumn<QString>("format");
  QTest::newRow("text") << QStringLiteral("text");
  QTest::newRow("csv") << QStringLiteral("csv");
  QTest::newRow("json") << QStringLiteral("json");
}

void CommandLineTest::writesNoRowsForARunThatCannotStart() {
  QFETCH(QString, format);
  const Result result = RunProgram({"--solve", "--l", "1,5", "--format", format});
  QCOMPARE(result.status, 1);
  QVERIFY2(result.err.startsWith(QStringLiteral("'1,5' is not a valid floating point value.\n")),
           qPrintable(result.err));
  if (format != QStringLiteral("json")) {
    QCOMPARE(result.out, QString());
    return;
  }
  const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
  QCOMPARE(json[QStringLiteral("error")].toString(),
           QStringLiteral("'1,5' is not a valid floating point value"));
  QVERIFY(json[QStringLiteral("fastest")].isNull());
  QCOMPARE(json[QStringLiteral("table")].toArray().size(), 0);
}

// Each method's worked solution after the table, and in the report's
// method pages; the note on the rounded numbers once under each.
void CommandLineTest::writesTheWorkedSolutionAsTextAndInTheReport() {
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("run.pdf"));
  const QStringList steps = {"--solve", "--steps", "--decimal-separator", ","};
  const Result text = RunProgram(steps);
  QCOMPARE(text.status, 0);
  QCOMPARE(RunProgram(steps + QStringList{"--report", pdf}).status, 0);
  const QString pages =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  const QString note = QStringLiteral("может разойтись с записанным результатом в последней цифре");
  QCOMPARE(text.out.count(note), 4);
  QVERIFY2(pages.simplified().count(note) == 4, qPrintable(pages));
  for (const QString& line :
       {QStringLiteral("Проход 1.  x₁ = x₀ − f(x₀)/f′(x₀) = 1 − 0,540302/(-0,841471) = 1,64209\n"),
        QStringLiteral("Проход 3.  x₃ = x₂ − f(x₂)·(x₂ − x₁)/(f(x₂) − f(x₁))"),
        QStringLiteral("Итог: Сошёлся: на проходе 10 проверка остановки выполнена")})
    QVERIFY2(text.out.contains(line), qPrintable(line));
  for (const QString& words :
       {QStringLiteral("1 − 0,540302/(-0,841471) = 1,64209"), QStringLiteral("Проход 10.")})
    QVERIFY2(pages.contains(words), qPrintable(words + "\n" + pages));
}

void CommandLineTest::writesTheSameVariantsAsTheLibraryForTheSameSeed() {
  QTemporaryDir folder;
  const QStringList arguments = {"--variants",  "4",     "--seed", "2026",
                                 "--equations", "0,3,8", "--out",  folder.path()};
  QCOMPARE(RunProgram(arguments).status, 0);
  QFile csv(folder.filePath(QStringLiteral("answers.csv")));
  QVERIFY(csv.open(QIODevice::ReadOnly));
  app::VariantRequest request;
  request.count = 4;
  request.seed = 2026;
  request.equations = {0, 3, 8};
  const std::string expected = app::CsvText(app::AnswerLines(app::MakeVariants(request)));
  QCOMPARE(csv.readAll().toStdString(), expected);
  const QString tasks =
      Tool(QStringLiteral("pdftotext"),
           {folder.filePath(QStringLiteral("variants.pdf")), QStringLiteral("-")});
  QVERIFY2(tasks.contains(QStringLiteral("Вариант 4")), qPrintable(tasks));
  QVERIFY(PdfPages(folder.filePath(QStringLiteral("answers.pdf"))) >= 1);
}

void CommandLineTest::printsTheMainWindowAndADetailWindow() {
  QTemporaryDir folder;
  QString path;
  bool accept = true;
  bool print_previewed = true;
  int passes_at_each_end = 0;
  int previews = 0;
  ui::SetPrintDialogRunner([&](QWidget*, QPrinter& printer, ui::ReportOptions& options) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    options.passes_at_each_end = passes_at_each_end;
    return accept;
  });
  ui::SetPrintPreviewRunner([&](QWidget*, QPrinter&, const ui::PagePainter&) {
    ++previews;
    return print_previewed;
  });
  TForm1 window;
  window.Button1Click(&window);
  // The menus' items and keys: main_window_test.
  QAction* print = window.PrintItem;

  accept = false;
  path = folder.filePath(QStringLiteral("cancelled.pdf"));
  print->trigger();
  QVERIFY(!QFile::exists(path));
  QCOMPARE(previews, 0);
  accept = true;
  print_previewed = false;
  print->trigger();
  QVERIFY(!QFile::exists(path));
  QCOMPARE(previews, 1);
  print_previewed = true;
  path = folder.filePath(QStringLiteral("main.pdf"));
  print->trigger();
  const QString main_text = Tool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  QVERIFY2(main_text.contains(window.StatusPanel->text()), qPrintable(main_text));
  QVERIFY(main_text.contains(QStringLiteral("f(x) = k·cos(l·x)")));

  ui::DetailWindow* detail = window.DetailOpener->OpenRow(1);
  QVERIFY(detail != nullptr);
  const QList<QAction*> actions = detail->PassTable()->actions();
  const auto detail_print = std::find_if(actions.begin(), actions.end(), [](QAction* item) {
    return item->text() == QStringLiteral("&Печать…");
  });
  QVERIFY(detail_print != actions.end());
  // The print dialog's "Проходы": the first and the last pass of the
  // chords' three.
  passes_at_each_end = 1;
  path = folder.filePath(QStringLiteral("detail.pdf"));
  (*detail_print)->trigger();
  QCOMPARE(PdfPages(path), 1);  // texts, plots and the short pass table
  const QString detail_text =
      Tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  QVERIFY2(detail_text.contains(QStringLiteral("Таблица проходов: Метод хорд")),
           qPrintable(detail_text));
  QVERIFY2(detail_text.contains(QRegularExpression(QStringLiteral("(?m)^\\s*…\\s+…"))),
           qPrintable(detail_text));
  detail->close();
  ui::SetPrintDialogRunner(nullptr);
  ui::SetPrintPreviewRunner(nullptr);
}

void CommandLineTest::tellsWhenItsOutputIsLost_data() {
  QTest::addColumn<QString>("command");  // for bash, with the program as $0
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("err");
  const QString full =
      QStringLiteral("nonlinear-equations: write error: No space left on device\n");
  QTest::newRow("results to a full disk") << R"sh("$0" --solve > /dev/full)sh" << 1 << full;
  QTest::newRow("help to a full disk") << R"sh("$0" --help > /dev/full)sh" << 1 << full;
  QTest::newRow("version to a full disk") << R"sh("$0" --version > /dev/full)sh" << 1 << full;
  QTest::newRow("results with standard output closed")
      << R"sh("$0" --solve >&-)sh" << 1
      << QStringLiteral("nonlinear-equations: write error: Bad file descriptor\n");
  // The report is written beside a closed standard output, and never into it.
  QTest::newRow("report with standard output closed")
      << R"sh("$0" --solve --report r.pdf >&-; status=$?;)sh"
         R"sh( [[ $(head -c 4 r.pdf) == %PDF ]] || exit 8; exit $status)sh"
      << 1 << QStringLiteral("nonlinear-equations: write error: Bad file descriptor\n");
  QTest::newRow("an error to a full standard error")
      << R"sh("$0" --solve --k abc > /dev/null 2> /dev/full)sh" << 1 << QString();
  // Killed by SIGPIPE, as any program whose reader goes: 128 + 13.
  QTest::newRow("a reader that goes away")
      << R"sh("$0" --solve --precision -1 --history --format json | head -c 1 > /dev/null;)sh"
         R"sh( exit "${PIPESTATUS[0]}")sh"
      << 141 << QString();
  QTest::newRow("a name that is no UTF-8")
      << R"sh("$0" --solve --report "$(printf 'r\377.pdf')" > /dev/null)sh" << 2
      << QStringLiteral("nonlinear-equations: argument 3 is not valid UTF-8\n") + kHint;
}

void CommandLineTest::tellsWhenItsOutputIsLost() {
  QFETCH(QString, command);
  QFETCH(int, status);
  QFETCH(QString, err);
  QTemporaryDir folder;
  QProcess process;
  process.setWorkingDirectory(folder.path());
  process.start(QStringLiteral("/bin/bash"),
                {QStringLiteral("-c"), command, QStringLiteral(NLE_PROGRAM)});
  QVERIFY2(process.waitForFinished(60'000), "the program did not end within 60 s");
  QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
  QCOMPARE(process.exitCode(), status);
  // Nothing but the report asked for: no file under another name.
  QStringList made = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
  made.removeAll(QStringLiteral("r.pdf"));
  QCOMPARE(made, QStringList());
}

// Two teachers' runs into one folder at once, twenty times: each time the
// folder holds one run's set whole, never one run's key beside the other's
// tasks.
void CommandLineTest::concurrentVariantRunsLeaveWholeSets() {
  struct Set {
    QByteArray answers;
    QString tasks;
    QString key;
  };
  const auto read_set = [](const QString& folder) {
    QFile csv(folder + QStringLiteral("/answers.csv"));
    return Set{csv.open(QIODevice::ReadOnly) ? csv.readAll() : QByteArray(),
               Tool(QStringLiteral("pdftotext"),
                    {folder + QStringLiteral("/variants.pdf"), QStringLiteral("-")}),
               Tool(QStringLiteral("pdftotext"),
                    {folder + QStringLiteral("/answers.pdf"), QStringLiteral("-")})};
  };
  const QStringList seeds = {QStringLiteral("7"), QStringLiteral("8")};
  const auto arguments = [](const QString& seed, const QString& folder) {
    return QStringList{"--variants", "30", "--seed", seed, "--out", folder};
  };
  QTemporaryDir reference;
  std::vector<Set> expected;
  for (const QString& seed : seeds) {
    QCOMPARE(RunProgram(arguments(seed, reference.filePath(seed))).status, 0);
    expected.push_back(read_set(reference.filePath(seed)));
  }
  QVERIFY(expected[0].answers != expected[1].answers);
  QVERIFY(expected[0].tasks != expected[1].tasks && expected[0].key != expected[1].key);

  QTemporaryDir shared;
  for (int round = 1; round <= 20; ++round) {
    std::array<QProcess, 2> runs;
    for (std::size_t i = 0; i < runs.size(); ++i)
      runs[i].start(QStringLiteral(NLE_PROGRAM), arguments(seeds[int(i)], shared.path()));
    for (QProcess& run : runs) {
      QVERIFY2(run.waitForFinished(60'000), "a run did not end within 60 s");
      QCOMPARE(run.exitCode(), 0);
    }
    const Set set = read_set(shared.path());
    const auto whole = std::find_if(expected.begin(), expected.end(),
                                    [&set](const Set& one) { return one.answers == set.answers; });
    QVERIFY2(whole != expected.end(), qPrintable(QStringLiteral("round %1").arg(round)));
    QVERIFY2(set.tasks == whole->tasks && set.key == whole->key,
             qPrintable(QStringLiteral("round %1: a mixed set").arg(round)));
  }
}

void CommandLineTest::reportWrapsLongInputsAndSaysWhenItCuts_data() {
  QTest::addColumn<QStringList>("inputs");
  QTest::addColumn<QString>("whole");  // found whole, line breaks aside
  QTest::addColumn<bool>("cut");
  const QString product = QStringLiteral("x") + QStringLiteral("*x").repeated(499);
  QTest::newRow("a product of 999 characters")
      << QStringList{"--formula", product, "--start", "-1", "--end", "2"}
      << QStringLiteral("f(x)=") + product << false;
  // Taller than a page: printed up to the page's end, with a note.
  const QString precision = QStringLiteral("0.") + QString(19'998, u'0') + QStringLiteral("1");
  QTest::newRow("a precision of 20,000 characters")
      << QStringList{"--precision", precision} << QStringLiteral("Уравнение") << true;
}

void CommandLineTest::reportWrapsLongInputsAndSaysWhenItCuts() {
  QFETCH(QStringList, inputs);
  QFETCH(QString, whole);
  QFETCH(bool, cut);
  QTemporaryDir folder;
  const QString pdf = folder.filePath(QStringLiteral("run.pdf"));
  RunProgram(QStringList{"--solve", "--report", pdf} + inputs);
  QString text = Tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  text.remove(QRegularExpression(QStringLiteral("\\s")));
  QVERIFY2(text.contains(whole), qPrintable(text.left(3000)));
  QCOMPARE(text.contains(QStringLiteral("текстсокращён")), cut);
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
