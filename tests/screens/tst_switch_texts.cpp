#include "qmltypes.h"

#include <QObject>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable() { register_qml_types(); }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_switch_texts, Setup)
#include "tst_switch_texts.moc"
