import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Material 2.15
import QtQuick.Window 2.15
import Velquin 1.0
import "Focus.js" as Focus

// A confirmation question; only the confirming button emits `yes`. Items declared inside show
// between the question and the answers; without a yes_text it is a notice with one button.
Popup {
    id: dialog

    default property alias details: details_column.data
    property string info_text
    property string yes_text
    property string cancel_text: qsTr("Cancel")
    // The control that had the focus when the dialog opened, and how it got there: the focus goes
    // back to it when the dialog closes without an answer.
    property Item opener: null
    property bool keyboard: false
    property bool answered: false

    signal yes

    modal: true
    visible: false
    // Takes the focus, so that Escape closes it and Tab stays inside.
    focus: true
    width: parent ? parent.width : implicitWidth
    y: parent ? Math.max(0, (parent.height - height) / 2) : 0
    padding: 10

    onAboutToShow: {
        opener = content.Window.activeFocusItem
        keyboard = Focus.marked(opener)
        answered = false
    }
    // The safe answer first.
    onOpened: Focus.place(cancel_button, keyboard)
    // Qt hands the focus back to the opener unmarked, at once if the dialog closes without a
    // transition: mark it again, so that what the answer opens knows how the user moves.
    onClosed: {
        if (!answered || (opener && opener.activeFocus))
            Focus.place(opener, keyboard)
        opener = null
    }

    Column {
        id: content
        width: dialog.width - 20
        spacing: 5
        Accessible.role: Accessible.Dialog
        Accessible.name: dialog.info_text

        // Enter and Return press the focused button, as Space does.
        Keys.onReturnPressed: function (event) { Focus.enter_pressed(event, Window.activeFocusItem) }
        Keys.onEnterPressed: function (event) { Focus.enter_pressed(event, Window.activeFocusItem) }

        Label {
            width: parent.width
            leftPadding: 5
            rightPadding: 5
            topPadding: 10
            bottomPadding: 10
            text: dialog.info_text
            // It may quote a file's contents: never read as markup.
            textFormat: Text.PlainText
            color: Theme.text
            font.family: "Open Sans"
            font.pixelSize: 16
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignLeft
        }

        Column {
            id: details_column
            width: parent.width
        }

        RoundButton {
            objectName: "dialog_yes"
            visible: dialog.yes_text !== ""
            width: parent.width
            radius: 10
            leftPadding: 30
            rightPadding: 30
            topPadding: 20
            bottomPadding: 20
            highlighted: true
            Material.accent: Material.color(Material.Indigo, Material.Shade400)
            text: dialog.yes_text
            onClicked: {
                dialog.answered = true
                dialog.close()
                dialog.yes()
            }

            FocusRing {}
        }

        RoundButton {
            id: cancel_button
            objectName: "dialog_cancel"
            width: parent.width
            radius: 10
            leftPadding: 30
            rightPadding: 30
            topPadding: 20
            bottomPadding: 20
            text: dialog.cancel_text
            onClicked: dialog.close()

            FocusRing {}
        }
    }
}
