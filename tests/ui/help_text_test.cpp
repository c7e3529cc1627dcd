// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of help.txt as the help window shows them: line breaks, NUL and
// the choice of character set.
#include <QTest>
#include <string>

#include "ui/help/help_text.h"
#include "ui/help/windows_1251.h"

using namespace std::string_literals;

class HelpTextTest : public QObject {
  Q_OBJECT

 private slots:
  void text_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("codeset");
    QTest::addColumn<QString>("shown");

    const QString lines = QStringLiteral("один\nдва\nтри");
    const QString utf8 = QStringLiteral("UTF-8");
    const QString c_locale = QStringLiteral("ANSI_X3.4-1968");
    QTest::newRow("CR LF") << QByteArray("один\r\nдва\r\nтри") << utf8 << lines;
    QTest::newRow("lone LF") << QByteArray("один\nдва\nтри") << utf8 << lines;
    QTest::newRow("lone CR") << QByteArray("один\rдва\rтри") << utf8 << lines;
    QTest::newRow("LF CR is two breaks")
        << QByteArray("a\n\rb") << utf8 << QStringLiteral("a\n\nb");
    QTest::newRow("CR CR LF is two breaks")
        << QByteArray("a\r\r\nb") << utf8 << QStringLiteral("a\n\nb");
    QTest::newRow("break at the end") << QByteArray("a\r\n") << utf8 << QStringLiteral("a\n");
    QTest::newRow("empty") << QByteArray() << utf8 << QString();
    QTest::newRow("NUL ends the text")
        << QByteArray("abc\0def", 7) << utf8 << QStringLiteral("abc");
    QTest::newRow("NUL first") << QByteArray("\0abc", 4) << utf8 << QString();
    QTest::newRow("UTF-8 in the C locale")
        << QByteArray("Справка") << c_locale << QStringLiteral("Справка");
    QTest::newRow("Windows-1251 in the C locale")
        << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xB8\xA8\xB9") << c_locale
        << QStringLiteral("Привет\nёЁ№");
    QTest::newRow("Windows-1251 in a UTF-8 locale")
        << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2") << utf8 << QStringLiteral("Привет");
    QTest::newRow("KOI8-R locale") << QByteArray("\xF0\xD2\xC9\xD7\xC5\xD4")
                                   << QStringLiteral("KOI8-R") << QStringLiteral("Привет");
    QTest::newRow("valid UTF-8 wins in a KOI8-R locale")
        << QByteArray("Привет") << QStringLiteral("KOI8-R") << QStringLiteral("Привет");
    QTest::newRow("unknown legacy set falls back to Windows-1251")
        << QByteArray("\xCF\xF0\xE8") << QStringLiteral("NO-SUCH-SET") << QStringLiteral("При");
  }

  void text() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, codeset);
    QFETCH(QString, shown);
    const std::string set = codeset.toStdString();
    QCOMPARE(ui::HelpText(
                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), set),
             shown);
  }

  // The whole upper half against the code page's published table, in rows.
  void windows1251UpperHalf() {
    std::string bytes;
    for (int code = 0x80; code <= 0xFF; ++code) bytes += static_cast<char>(code);
    const QString expected = QStringLiteral(
        "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏ"
        "ђ‘’“”•–—\u0098™љ›њќћџ"
        "\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї"
        "°±Ііґµ¶·ё№є»јЅѕї"
        "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
        "абвгдежзийклмнопрстуфхцчшщъыьэюя");
    QCOMPARE(ui::DecodeWindows1251(bytes), expected);
    QCOMPARE(ui::DecodeWindows1251("Memo1 \t~"s), QStringLiteral("Memo1 \t~"));
  }
};

QTEST_GUILESS_MAIN(HelpTextTest)
#include "help_text_test.moc"
