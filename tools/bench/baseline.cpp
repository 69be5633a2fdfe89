// The toolkit's floor for the benchmark: a bare Qt Quick Controls 2 window with the Material style
// and the app's three fonts, started the way the app starts, minus everything of the app's own.
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/Nunito-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/font/OpenSans-Regular.ttf"));
    engine.load(QUrl(QStringLiteral("qrc:/bench/baseline.qml")));
    if (engine.rootObjects().isEmpty())
        return -1;
    return app.exec();
}
