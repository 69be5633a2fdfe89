// The main function of one window test: VELQUIN_QML_TEST_NAME and QUICK_TEST_SOURCE_DIR come from
// velquin_add_qml_test().
#include "qmltestsetup.h"

#include <QtQuickTest>

#define VELQUIN_QUICK_TEST_MAIN(name) QUICK_TEST_MAIN_WITH_SETUP(name, QmlTestSetup)
VELQUIN_QUICK_TEST_MAIN(VELQUIN_QML_TEST_NAME)
