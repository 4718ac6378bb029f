// Assistive tools reach the menu of a tool button that opens it at once (the
// symbology menu behind the arrow of the barcode tool) as a child of the
// button, as they reach the menu bar's menus.
#pragma once

// Installs the accessibility for such buttons; call once before they are
// first asked about (calling again does nothing).
void InstallMenuButtonAccessibility();
