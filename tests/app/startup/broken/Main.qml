import QtQuick 2.15

// Compiles to nothing: no such property.
Item {
    no_such_property: 1
}
