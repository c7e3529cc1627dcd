// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the accessible tree of every application on the accessibility bus,
// as a screen reader does, until a window whose name starts with the first
// argument appears and every further argument, a regular expression, matches
// a line of that application's tree (or the second argument's seconds pass).
// Then prints each object of that application as
// "role<TAB>name<TAB>description", one a line: the last tree read, so that
// the caller can say which expression found nothing. Exits 1 when no such
// window appears. A window appears on the bus before all of its objects, and
// a busy machine can time out a call for one subtree, so one reading alone
// proves nothing missing.
//
// With "--listen SECONDS EXPRESSION..." it listens instead, as a screen
// reader listens for what an application announces: it asks the registry
// for the events of changed accessible names, prints "listening" once it
// has, and then "heard<TAB>role<TAB>name" for each such event, until every
// expression matches a line heard (exit 0) or the seconds pass (exit 1).
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <iostream>

namespace {

struct ObjectRef {
  QString service;
  QDBusObjectPath path;
};

const QDBusArgument& operator>>(const QDBusArgument& argument, ObjectRef& ref) {
  argument.beginStructure();
  argument >> ref.service >> ref.path;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const ObjectRef& ref) {
  argument.beginStructure();
  argument << ref.service << ref.path;
  argument.endStructure();
  return argument;
}

}  // namespace

Q_DECLARE_METATYPE(ObjectRef)

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");

struct Node {
  QString role;
  QString name;
  QString description;
};

QVariant Property(const QDBusConnection& bus, const ObjectRef& ref, const QString& name) {
  QDBusInterface properties(ref.service, ref.path.path(),
                            QStringLiteral("org.freedesktop.DBus.Properties"), bus);
  properties.setTimeout(2000);
  const QDBusReply<QVariant> reply = properties.call(QStringLiteral("Get"), kAccessible, name);
  return reply.isValid() ? reply.value() : QVariant();
}

QList<ObjectRef> Children(const QDBusConnection& bus, const ObjectRef& ref) {
  QDBusInterface accessible(ref.service, ref.path.path(), kAccessible, bus);
  accessible.setTimeout(2000);
  const QDBusReply<QList<ObjectRef>> reply = accessible.call(QStringLiteral("GetChildren"));
  return reply.isValid() ? reply.value() : QList<ObjectRef>();
}

QString RoleName(const QDBusConnection& bus, const ObjectRef& ref) {
  QDBusInterface accessible(ref.service, ref.path.path(), kAccessible, bus);
  accessible.setTimeout(2000);
  const QDBusReply<QString> reply = accessible.call(QStringLiteral("GetRoleName"));
  return reply.isValid() ? reply.value() : QString();
}

// The objects under `root`, depth first, at most a few thousand.
QList<Node> Tree(const QDBusConnection& bus, const ObjectRef& root) {
  QList<Node> nodes;
  QList<ObjectRef> pending{root};
  while (!pending.isEmpty() && nodes.size() < 5000) {
    const ObjectRef ref = pending.takeFirst();
    nodes << Node{RoleName(bus, ref), Property(bus, ref, QStringLiteral("Name")).toString(),
                  Property(bus, ref, QStringLiteral("Description")).toString()};
    pending = Children(bus, ref) + pending;
  }
  return nodes;
}

QString Line(const Node& node) {
  return node.role + QLatin1Char('\t') +
         QString(node.name).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QLatin1Char('\t') +
         QString(node.description).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

bool MatchesAll(const QList<Node>& nodes, const QList<QRegularExpression>& expected) {
  return std::all_of(expected.begin(), expected.end(), [&nodes](const QRegularExpression& pattern) {
    return std::any_of(nodes.begin(), nodes.end(), [&pattern](const Node& node) {
      return pattern.match(Line(node)).hasMatch();
    });
  });
}

// Prints each name-change event it hears and quits once all that was
// expected has been heard.
class Listener : public QObject {
  Q_OBJECT

 public:
  Listener(QDBusConnection bus, QList<QRegularExpression> expected)
      : bus_(std::move(bus)), expected_(std::move(expected)) {}

  bool HeardAll() const {
    return std::all_of(
        expected_.begin(), expected_.end(), [this](const QRegularExpression& pattern) {
          return std::any_of(heard_.begin(), heard_.end(), [&pattern](const QString& line) {
            return pattern.match(line).hasMatch();
          });
        });
  }

 public slots:
  void PropertyChange(const QDBusMessage& message) {
    if (message.arguments().value(0).toString() != QStringLiteral("accessible-name")) return;
    const ObjectRef source{message.service(), QDBusObjectPath(message.path())};
    QString name = Property(bus_, source, QStringLiteral("Name")).toString();
    const QString line = QStringLiteral("heard\t") + RoleName(bus_, source) + QLatin1Char('\t') +
                         name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    heard_ << line;
    std::cout << line.toStdString() << std::endl;
    if (HeardAll()) QCoreApplication::exit(0);
  }

 private:
  QDBusConnection bus_;
  QList<QRegularExpression> expected_;
  QStringList heard_;
};

int Listen(const QDBusConnection& bus, int seconds, const QList<QRegularExpression>& expected) {
  Listener listener(bus, expected);
  QDBusConnection(bus).connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                               QStringLiteral("PropertyChange"), &listener,
                               SLOT(PropertyChange(QDBusMessage)));
  // Applications send only the events some listener has asked the registry for.
  QDBusInterface registry(QStringLiteral("org.a11y.atspi.Registry"),
                          QStringLiteral("/org/a11y/atspi/registry"),
                          QStringLiteral("org.a11y.atspi.Registry"), bus);
  const QDBusMessage reply = registry.call(QStringLiteral("RegisterEvent"),
                                           QStringLiteral("object:property-change:accessible-name"),
                                           QStringList(), QString());
  if (reply.type() == QDBusMessage::ErrorMessage) {
    std::cerr << "the registry refused the listener: " << reply.errorMessage().toStdString()
              << std::endl;
    return 1;
  }
  std::cout << "listening" << std::endl;
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(1); });
  const int status = QCoreApplication::exec();
  if (status != 0)
    std::cerr << "not everything expected was heard within " << seconds << " s" << std::endl;
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  qDBusRegisterMetaType<ObjectRef>();
  qDBusRegisterMetaType<QList<ObjectRef>>();
  const QStringList arguments = QCoreApplication::arguments();
  const bool listen = arguments.value(1) == QStringLiteral("--listen");
  const QString window = arguments.value(1);
  const int seconds = arguments.value(2, QStringLiteral("30")).toInt();
  QList<QRegularExpression> expected;
  for (const QString& pattern : arguments.mid(3)) expected << QRegularExpression(pattern);

  QDBusInterface launcher(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                          QStringLiteral("org.a11y.Bus"));
  const QDBusReply<QString> address = launcher.call(QStringLiteral("GetAddress"));
  if (!address.isValid()) {
    std::cerr << "no accessibility bus: " << address.error().message().toStdString() << std::endl;
    return 1;
  }
  const QDBusConnection bus =
      QDBusConnection::connectToBus(address.value(), QStringLiteral("a11y"));
  if (listen) return Listen(bus, seconds, expected);
  const ObjectRef desktop{QStringLiteral("org.a11y.atspi.Registry"),
                          QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"))};
  QElapsedTimer clock;
  clock.start();
  QList<Node> last;  // the latest tree that held the window
  while (clock.elapsed() < seconds * 1000) {
    for (const ObjectRef& app : Children(bus, desktop)) {
      const QList<Node> nodes = Tree(bus, app);
      const bool found = std::any_of(nodes.begin(), nodes.end(), [&window](const Node& node) {
        return node.name.startsWith(window) && node.role != QStringLiteral("application");
      });
      if (found) last = nodes;
    }
    if (!last.isEmpty() && MatchesAll(last, expected)) break;
    QThread::msleep(300);
  }
  for (const Node& node : last) std::cout << Line(node).toStdString() << '\n';
  if (!last.isEmpty()) return 0;
  std::cerr << "no window named \"" << window.toStdString() << "…\" appeared on the bus within "
            << seconds << " s" << std::endl;
  return 1;
}

#include "atspi_reader.moc"
