import QtQuick 2.15
import QtQuick.Controls 2.15
import Velquin 1.0

// The product's name as its label prints it: "velquin" beside an outlined "plus".
Row {
    id: wordmark

    property int pixel_size: 36

    spacing: 1
    // Read as the name it stands for.
    Accessible.role: Accessible.Heading
    Accessible.name: "Velquin Plus"

    Label {
        text: "velquin"
        color: Theme.text
        font.family: "Nunito"
        font.pixelSize: wordmark.pixel_size
        font.bold: true
        Accessible.ignored: true
    }
    Label {
        text: "plus"
        color: "transparent"
        style: Text.Outline
        styleColor: Theme.text
        font.family: "Nunito"
        font.pixelSize: wordmark.pixel_size
        font.bold: true
        Accessible.ignored: true
    }
}
