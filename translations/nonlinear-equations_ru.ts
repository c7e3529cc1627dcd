<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CommandLine</name>
    <message>
        <source>Solve one equation with the four methods.</source>
        <translation>Решить одно уравнение четырьмя методами.</translation>
    </message>
    <message>
        <source>The equation&apos;s number in the list, 0 to 9 (default 0).</source>
        <translation>Номер уравнения в списке, от 0 до 9 (по умолчанию 0).</translation>
    </message>
    <message>
        <source>A typed f(x) to solve instead, e.g. &apos;x^3-2*x-5&apos;, in the language of the typed-equation window.</source>
        <translation>Своя функция f(x) вместо уравнения из списка, например &apos;x^3-2*x-5&apos;, на языке окна «Своё уравнение».</translation>
    </message>
    <message>
        <source>The coefficient k (default 1).</source>
        <translation>Коэффициент k (по умолчанию 1).</translation>
    </message>
    <message>
        <source>The coefficient l (default 1).</source>
        <translation>Коэффициент l (по умолчанию 1).</translation>
    </message>
    <message>
        <source>The start a (default 1).</source>
        <translation>Начальное значение a (по умолчанию 1).</translation>
    </message>
    <message>
        <source>The precision; its length in characters sets the decimals of the roots (default 0,001 with the locale&apos;s separator).</source>
        <translation>Точность; длина её записи задаёт число знаков корней (по умолчанию 0,001 с разделителем локали).</translation>
    </message>
    <message>
        <source>The end b (default 2).</source>
        <translation>Конец интервала b (по умолчанию 2).</translation>
    </message>
    <message>
        <source>Output: text (default), csv or json.</source>
        <translation>Вывод: text (по умолчанию), csv или json.</translation>
    </message>
    <message>
        <source>Add each method&apos;s passes (text and json); with --report, each method&apos;s pages.</source>
        <translation>Добавить проходы каждого метода (text и json); с --report — страницы каждого метода.</translation>
    </message>
    <message>
        <source>With --history, only each method&apos;s first n and last n passes in the text and the report, with a row of &apos;…&apos; between them (default: all).</source>
        <translation>С --history — только первые n и последние n проходов каждого метода в тексте и в отчёте, между ними строка «…» (по умолчанию все).</translation>
    </message>
    <message>
        <source>The decimal separator of inputs and outputs, &apos;.&apos; or &apos;,&apos;, instead of the locale&apos;s.</source>
        <translation>Десятичный разделитель ввода и вывода, «.» или «,», вместо разделителя локали.</translation>
    </message>
    <message>
        <source>Also write the run&apos;s report as PDF.</source>
        <translation>Записать ещё и отчёт о решении в PDF.</translation>
    </message>
    <message>
        <source>Make n variants with their answer key.</source>
        <translation>Составить n вариантов с ответами.</translation>
    </message>
    <message>
        <source>The variants&apos; seed (default 1): the same seed, the same variants.</source>
        <translation>Зерно вариантов (по умолчанию 1): то же зерно — те же варианты.</translation>
    </message>
    <message>
        <source>The equations to draw from, e.g. 0,3,8 (default all).</source>
        <translation>Уравнения, из которых составлять варианты, например 0,3,8 (по умолчанию все).</translation>
    </message>
    <message>
        <source>The title on the handout (default &apos;Решение нелинейных уравнений&apos;).</source>
        <translation>Заголовок листа с заданиями (по умолчанию «Решение нелинейных уравнений»).</translation>
    </message>
    <message>
        <source>The folder for variants.pdf, answers.csv and answers.pdf (made when missing).</source>
        <translation>Папка для variants.pdf, answers.csv и answers.pdf (создаётся, если её нет).</translation>
    </message>
    <message>
        <source>--%1 needs %2</source>
        <translation>--%1 работает только с %2</translation>
    </message>
    <message>
        <source>--%1 takes a whole number from %2 to %3, not &apos;%4&apos;</source>
        <translation>--%1 принимает целое число от %2 до %3, а не «%4»</translation>
    </message>
    <message>
        <source>--decimal-separator takes &apos;.&apos; or &apos;,&apos;, not &apos;%1&apos;</source>
        <translation>--decimal-separator принимает «.» или «,», а не «%1»</translation>
    </message>
    <message>
        <source>Hint: use %1 or --decimal-separator %2</source>
        <translation>Подсказка: используйте %1 или --decimal-separator %2</translation>
    </message>
    <message>
        <source>--format takes text, csv or json, not &apos;%1&apos;</source>
        <translation>--format принимает text, csv или json, а не «%1»</translation>
    </message>
    <message>
        <source>--history works with --format text or json</source>
        <translation>--history работает с --format text или json</translation>
    </message>
    <message>
        <source>--seed takes a whole number from 0 to 18446744073709551615, not &apos;%1&apos;</source>
        <translation>--seed принимает целое число от 0 до 18446744073709551615, а не «%1»</translation>
    </message>
    <message>
        <source>--variants needs --out</source>
        <translation>--variants требует --out</translation>
    </message>
    <message>
        <source>Solves nonlinear equations by bisection, chords, tangents and secants.
Without options the program opens its windows.</source>
        <translation>Решает нелинейные уравнения методами половинного деления, хорд, касательных и секущих.
Без параметров программа открывает свои окна.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>лишний аргумент «%1»</translation>
    </message>
    <message>
        <source>--solve and --variants exclude each other</source>
        <translation>--solve и --variants исключают друг друга</translation>
    </message>
    <message>
        <source>--solve or --variants is needed</source>
        <translation>нужен --solve или --variants</translation>
    </message>
    <message>
        <source>argument %1 is not valid UTF-8</source>
        <translation>аргумент %1 — не текст в UTF-8</translation>
    </message>
    <message>
        <source>Try &apos;nonlinear-equations --help&apos; for more information.</source>
        <translation>Подробнее: «nonlinear-equations --help».</translation>
    </message>
    <message>
        <source>Add each method&apos;s worked solution, every pass in the method&apos;s formula with the numbers substituted (text); with --report, each method&apos;s pages with it.</source>
        <translation>Добавить решение каждого метода по шагам: каждый проход в формуле метода с подставленными числами (text); с --report — в страницах каждого метода.</translation>
    </message>
    <message>
        <source>--steps works with --format text or --report</source>
        <translation>--steps работает с --format text или с --report</translation>
    </message>
    <message>
        <source>The methods to solve with, by key: bisection, chords, tangents, secants, iteration, combined (default the first four).</source>
        <translation>Методы расчёта по ключам: bisection, chords, tangents, secants, iteration, combined (по умолчанию первые четыре).</translation>
    </message>
    <message>
        <source>λ of simple iteration, φ(x) = x − λ·f(x) (default 1/M with the sign of f′, M = max |f′| on [a, b]).</source>
        <translation>λ метода простой итерации, φ(x) = x − λ·f(x) (по умолчанию 1/M со знаком f′, M = max |f′| на [a, b]).</translation>
    </message>
    <message>
        <source>φ(x) of simple iteration typed instead, e.g. &apos;cos(x)&apos;.</source>
        <translation>φ(x) метода простой итерации, заданная формулой, например &apos;cos(x)&apos;.</translation>
    </message>
    <message>
        <source>--phi and --lambda exclude each other</source>
        <translation>--phi и --lambda исключают друг друга</translation>
    </message>
    <message>
        <source>--methods: no method &apos;%1&apos;</source>
        <translation>--methods: нет метода &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--lambda takes a number, not &apos;%1&apos;</source>
        <translation>--lambda принимает число, а не &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>DisplayGuard</name>
    <message>
        <source>the windows need a graphical display, and none could be opened; --solve and --variants work without one (see --help).</source>
        <translation>окнам программы нужен графический дисплей, а открыть его не удалось; --solve и --variants работают и без него (см. --help).</translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>--formula and --equation exclude each other</source>
        <translation>--formula и --equation исключают друг друга</translation>
    </message>
    <message>
        <source>--formula needs a formula</source>
        <translation>--formula требует формулу</translation>
    </message>
</context>
</TS>
