#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>

class DeviceHid;
class QQmlEngine;
class SettingsStore;
class SimControl;
class Translate;
class VirtualVelquin;

// The set-up of the window tests (Qt Quick Test with QUICK_TEST_MAIN_WITH_SETUP). Built before the
// application object, as start-up builds the device: a settings store of its own in a temporary
// folder, the virtual HID bus with the virtual Velquin Plus plugged in, and the real DeviceHid.
// Every QML test file then gets a fresh engine with the real types registered, the context
// properties of start-up (device, translate, PROJECT_NAME, PROJECT_VERSION) and two of the tests'
// own (sim, test_settings), an empty settings store (plus VELQUIN_TEST_SETTINGS), English, and the
// device plugged with its factory configuration read.
class QmlTestSetup : public QObject
{
    Q_OBJECT

public:
    QmlTestSetup();
    ~QmlTestSetup() override;

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine* engine);
    void cleanupTestCase();

private:
    void reset_settings();
    void reset_device();

    QTemporaryDir settings_dir;
    // Declared first so that it goes last, after the device object, as in the application.
    std::unique_ptr<VirtualVelquin> virtual_device;
    std::unique_ptr<DeviceHid> device;
    std::unique_ptr<SimControl> sim;
    std::unique_ptr<SettingsStore> settings_store;
    std::unique_ptr<Translate> translate;
};
