// The main function of the window tests (Qt Quick Test) and what they reach of the device: see
// README.md.
#include "devicehid.h"
#include "qmltypes.h"
#include "sim/simulator.h"
#include "sim/virtualvelquin.h"
#include "translate.h"
#include "vhid_virtual.h"

#include <QtQuick>
#include <QtQuickTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <memory>

// What assistive technology sees of the running window (singleton AccessibilityTree).
namespace {

using A = QAccessible;

// What a user acts on needs a role and a name.
bool acts(QAccessibleInterface* iface)
{
    static const QVector<A::Role> controls{
        A::Button,       A::CheckBox,   A::RadioButton,    A::ComboBox, A::Link,
        A::PageTab,      A::MenuItem,   A::ListItem,       A::Slider,   A::SpinBox,
        A::EditableText, A::ButtonMenu, A::ButtonDropDown, A::ScrollBar};
    auto* item = qobject_cast<QQuickItem*>(iface->object());
    QAccessibleActionInterface* actions = iface->actionInterface();
    return controls.contains(iface->role()) || (actions && !actions->actionNames().isEmpty()) ||
           (item && item->activeFocusOnTab() && item->isEnabled());
}

bool named(QAccessibleInterface* iface)
{
    return iface && !iface->text(A::Name).trimmed().isEmpty();
}

// An item as a message names it: its objectName, else its type.
QString describe(QObject* object)
{
    return object->objectName().isEmpty() ? object->metaObject()->className()
                                          : object->objectName();
}

class AccessibilityTree : public QObject
{
    Q_OBJECT

public:
    // Controls take their names and roles when they are made, and only while a bridge to
    // assistive technology is active: call this before the window is made.
    Q_INVOKABLE bool activate() const
    {
        if (QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration())
            if (QPlatformAccessibility* bridge = integration->accessibility())
                bridge->setActive(true);
        return A::isActive();
    }

    // What assistive technology would get wrong: controls without a role or a name, pictures
    // that are not hidden, anything of a page out of sight (left or right of the window), and
    // clickable or focusable items that are no named control.
    Q_INVOKABLE QStringList faults(QQuickWindow* window) const
    {
        QStringList found;
        QAccessibleInterface* root = A::queryAccessibleInterface(window);
        check_interface(root, root->rect(), found);
        check_item(window->contentItem(), found);
        return found;
    }

    Q_INVOKABLE QString name_of(QObject* item) const
    {
        QAccessibleInterface* iface = A::queryAccessibleInterface(item);
        return iface ? iface->text(A::Name) : QString();
    }

private:
    void check_interface(QAccessibleInterface* iface, QRect window, QStringList& found) const
    {
        if (!iface || iface->state().invisible)
            return;
        const QRect rect = iface->rect();
        const bool no_role = iface->role() == A::NoRole || iface->role() == A::Client;
        if (acts(iface) && (no_role || !named(iface)))
            found << (no_role ? "no role: " : "no name: ") + describe(iface->object());
        else if (iface->role() == A::Graphic)
            found << "picture not hidden: " + describe(iface->object());
        else if (rect.isValid() && (rect.right() < window.left() || rect.left() > window.right()))
            found << "out of sight: " + describe(iface->object());
        for (int i = 0; i < iface->childCount(); ++i)
            check_interface(iface->child(i), window, found);
    }

    // A mouse area needs itself or its parent exposed as a named control, a focusable item itself.
    void check_item(QQuickItem* item, QStringList& found) const
    {
        if (!item->isVisible() || !item->isEnabled())
            return;
        const bool clickable =
            item->inherits("QQuickMouseArea") && item->property("acceptedButtons").toInt() != 0;
        if (clickable || item->activeFocusOnTab()) {
            QAccessibleInterface* iface = A::queryAccessibleInterface(item);
            if (!iface && clickable)
                iface = A::queryAccessibleInterface(item->parentItem());
            if (!iface || !acts(iface) || !named(iface))
                found << "no named control: " + describe(item);
        }
        for (QQuickItem* child : item->childItems())
            check_item(child, found);
    }
};

// Catches what the screens open in a browser or a viewer (Qt.openUrlExternally), so that a test run
// never starts one; gives files for the app to write in a folder of the run's own, and reads the
// text of an opened PDF (singleton UrlSink).
class UrlSink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString last_url MEMBER last_url NOTIFY opened)

public:
    using QObject::QObject;

    Q_INVOKABLE QUrl scratch(const QString& name) const
    {
        return QUrl::fromLocalFile(dir.filePath(name));
    }

    Q_INVOKABLE QString opened_pdf_text() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {QUrl(last_url).toLocalFile(), "-"});
        pdftotext.waitForFinished(20000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    }

public slots:
    void open(const QUrl& url)
    {
        last_url = url.toString();
        emit opened();
    }

signals:
    void opened();

private:
    QTemporaryDir dir;
    QString last_url;
};

} // namespace

// The virtual Velquin Plus as QML tests see it (context property "sim"): a clean start, plugging,
// what the device stores, and how fast it answers. Entries are objects {iface, action, param1,
// param2}.
class SimControl : public QObject
{
    Q_OBJECT

public:
    SimControl(VirtualVelquin& device, DeviceHid& link) : device(device), link(link) {}

    // Where every test starts: an empty settings store, no latency, the device plugged with its
    // factory configuration read.
    Q_INVOKABLE void reset()
    {
        QSettings().clear();
        // What the last test left on its way ends first, so that no late answer lands in this one.
        device.set_report_delay_ms(0);
        if (!wait_for_writes() ||
            !QTest::qWaitFor([this] { return !link.is_connected() || link.is_config_ready(); },
                             wait_ms))
            qFatal("The device link did not settle");
        device.reset_to_factory();
        set_fault("");
        // Plugging reads the configuration by itself.
        if (device.is_plugged())
            link.read_config();
        else
            device.plug();
        if (!QTest::qWaitFor([this] { return link.is_connected() && link.is_config_ready(); },
                             wait_ms))
            qFatal("The virtual Velquin Plus was not read");
    }

    // Waits until everything sent has reached the device; false after 5 s.
    Q_INVOKABLE bool wait_for_writes() const
    {
        return link.wait_for_writes(wait_ms) && device.wait_idle(wait_ms);
    }

    // Makes the device out of reach for a reason (simulator_set_fault: "denied", "failing",
    // "disconnected"; "" clears it), then sends an arrival, as the system does on such a change.
    Q_INVOKABLE void set_fault(const QString& name)
    {
        if (!simulator_set_fault(name.toUtf8()))
            qFatal("No fault %s", qPrintable(name));
        vhid_virtual_notify_arrival();
    }

    Q_INVOKABLE bool plug() { return device.plug(); }
    Q_INVOKABLE void unplug() { device.unplug(); }
    // A pause before each report in either direction.
    Q_INVOKABLE void set_latency(int ms) { device.set_report_delay_ms(unsigned(qMax(ms, 0))); }

    Q_INVOKABLE QVariantList press_entries() const { return entries(&SimConfig::press); }
    Q_INVOKABLE QVariantList release_entries() const { return entries(&SimConfig::release); }
    Q_INVOKABLE bool use_joystick() const { return device.use_joystick(); }
    Q_INVOKABLE void reset_factory() { device.reset_to_factory(); }
    Q_INVOKABLE void set_press(int i, const QVariantMap& e) { set(&SimConfig::press, i, e); }
    Q_INVOKABLE void set_release(int i, const QVariantMap& e) { set(&SimConfig::release, i, e); }
    Q_INVOKABLE void set_use_joystick(bool use)
    {
        SimConfig config = device.config();
        config.use_joystick = use;
        device.set_config(config);
    }

    // Since the start: writes applied at their end marker, factory restores.
    Q_INVOKABLE int writes_applied() const { return device.stats().writes_applied; }
    Q_INVOKABLE int restores() const { return device.stats().restores; }

private:
    static constexpr int wait_ms = 5000;
    using Entries = std::array<SimConfig::Entry, SimConfig::N_SWITCHES> SimConfig::*;

    QVariantList entries(Entries side) const
    {
        QVariantList list;
        const SimConfig config = device.config();
        for (const SimConfig::Entry& e : config.*side)
            list.append(QVariantMap{{"iface", e.iface},
                                    {"action", e.action},
                                    {"param1", e.param1},
                                    {"param2", e.param2}});
        return list;
    }

    void set(Entries side, int i, const QVariantMap& map)
    {
        if (i < 0 || i >= SimConfig::N_SWITCHES)
            return qWarning("sim: no switch %d", i);
        SimConfig config = device.config();
        (config.*side)[i] = {uint8_t(map["iface"].toUInt()), uint8_t(map["action"].toUInt()),
                             uint8_t(map["param1"].toUInt()), uint8_t(map["param2"].toUInt())};
        device.set_config(config);
    }

    VirtualVelquin& device;
    DeviceHid& link;
};

// Built before the application object, as start-up builds the device: a settings store of its own
// in a temporary folder, the virtual HID bus with the virtual Velquin Plus plugged in, and the real
// DeviceHid. Every QML file then gets a fresh engine with the real types, the context properties of
// start-up and `sim`, in English.
class QmlTestSetup : public QObject
{
    Q_OBJECT

public:
    QmlTestSetup()
    {
        // Never the user's own store.
        if (!settings_dir.isValid())
            qFatal("Cannot make a temporary folder for the settings store");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_dir.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir.path());
        // A developer's plain `ctest` without a display still runs the tests.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QCoreApplication::setOrganizationDomain(QStringLiteral("tarvek.example"));
        QCoreApplication::setOrganizationName(QStringLiteral("Tarvek"));
        QCoreApplication::setApplicationName(QStringLiteral("Velquin Plus"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELQUIN_PROJECT_VERSION));
        vhid_virtual_use();
        virtual_device = std::make_unique<VirtualVelquin>();
        if (!virtual_device->plug())
            qFatal("Cannot plug the virtual Velquin Plus");
        device = std::make_unique<DeviceHid>();
        sim = std::make_unique<SimControl>(*virtual_device, *device);
    }

public slots:
    void applicationAvailable()
    {
        for (const char* font : {"Nunito-Bold", "Nunito-Regular", "OpenSans-Regular"})
            QFontDatabase::addApplicationFont(QStringLiteral(":/font/%1.ttf").arg(font));
        register_qml_types();
        qmlRegisterType(
            QUrl::fromLocalFile(QStringLiteral(VELQUIN_TEST_SUPPORT_DIR "/WindowTest.qml")),
            "VelquinTest", 1, 0, "WindowTest");
        // Accessibility events go nowhere: no screen reader listens in a test run.
        QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
        qmlRegisterSingletonType<AccessibilityTree>(
            "VelquinTest", 1, 0, "AccessibilityTree",
            [](QQmlEngine*, QJSEngine*) -> QObject* { return new AccessibilityTree; });
        auto* sink = new UrlSink(QCoreApplication::instance());
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, sink, "open");
        qmlRegisterSingletonInstance("VelquinTest", 1, 0, "UrlSink", sink);
        // As start-up does: the device's transport callbacks end with the application object.
        DeviceHid* const dev = device.get();
        connect(QCoreApplication::instance(), &QObject::destroyed, dev, [dev] { dev->detach(); });
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        // English: the translators of earlier files (handed to the application) go. Not qApp, which
        // QTest casts to QApplication.
        translate.reset();
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>(
            QString(), Qt::FindDirectChildrenOnly));
        translate = std::make_unique<Translate>(engine);
        connect(engine, &QObject::destroyed, this, [this] { translate.reset(); });
        QQmlContext* context = engine->rootContext();
        context->setContextProperty(QStringLiteral("device"), device.get());
        context->setContextProperty(QStringLiteral("translate"), translate.get());
        context->setContextProperty(QStringLiteral("PROJECT_NAME"),
                                    QStringLiteral(VELQUIN_PROJECT_NAME));
        context->setContextProperty(QStringLiteral("PROJECT_VERSION"),
                                    QStringLiteral(VELQUIN_PROJECT_VERSION));
        context->setContextProperty(QStringLiteral("sim"), sim.get());
    }

    void cleanupTestCase() { translate.reset(); }

private:
    QTemporaryDir settings_dir;
    // Before the device object, so that it goes after it, as in the application.
    std::unique_ptr<VirtualVelquin> virtual_device;
    std::unique_ptr<DeviceHid> device;
    std::unique_ptr<SimControl> sim;
    std::unique_ptr<Translate> translate;
};

QUICK_TEST_MAIN_WITH_SETUP(tst_qml, QmlTestSetup)

#include "qmltestsetup.moc"
