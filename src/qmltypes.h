#pragma once

// Registers the QML module "Velquin" 1.0. Start-up and the QML tests both call this, once, before
// any QML is loaded.
void register_qml_types();
