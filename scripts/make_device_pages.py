#!/usr/bin/env python3
"""Writes the device page layouts under skin/XML/DeviceXml/.

Each page is a Qt Designer layout whose root tag names the device class. It
holds the profile bar, the device picture (a "SelectPanel" of
"DeviceKeyButton"s named "key_<n>", with the LED each one shows in the
dynamic property "userdata" as "light_<m>") and the function panels in the
two tab layouts "device_function_switch" and "device_key_function_switch".

The keyboard picture follows the board's key matrix (23 columns x 6 rows of
UI key numbers, which are also the picture's LED numbers); this script gives
every key its place and width on the board. The files are committed; run
this again only after changing something here:

    python3 scripts/make_device_pages.py
"""
import math
import pathlib
from xml.sax.saxutils import escape

OUT = pathlib.Path(__file__).resolve().parent.parent / "skin" / "XML" / "DeviceXml"

EMPTY = 126
# The board, column by column (0 = left), rows 0..5 (0 = function-key row).
KEY_MATRIX = [
    [126, 120, 121, 122, 123, 124], [126, 21, 42, 63, 84, 105], [0, 22, 43, 64, 85, 106],
    [1, 23, 44, 65, 86, 126], [2, 24, 45, 66, 87, 107], [3, 25, 46, 67, 88, 126],
    [4, 26, 47, 68, 89, 108], [126, 27, 48, 69, 90, 126], [5, 28, 49, 70, 91, 126],
    [6, 29, 50, 71, 92, 109], [7, 30, 51, 72, 93, 126], [8, 31, 52, 73, 94, 125],
    [9, 32, 53, 74, 126, 110], [10, 33, 54, 126, 126, 111], [11, 34, 55, 75, 95, 126],
    [12, 126, 126, 126, 126, 112], [13, 35, 56, 126, 126, 113], [14, 36, 57, 126, 96, 114],
    [15, 37, 58, 126, 126, 115], [126, 38, 59, 76, 97, 116], [126, 39, 60, 77, 98, 126],
    [126, 40, 61, 78, 99, 117], [126, 41, 126, 119, 118, 126],
]

# Key caps of the 126 UI keys ("" for the keys this board does not have).
KEY_CAPS = [
    "Esc", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "PrtSc", "ScrLk",
    "Pause", "GM", "Clr", "", "", "", "`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=",
    "Back", "Ins", "Home", "PgUp", "Num", "/", "*", "-", "Tab", "Q", "W", "E", "R", "T", "Y", "U", "I",
    "O", "P", "[", "]", "\\", "Del", "End", "PgDn", "7", "8", "9", "", "Caps", "A", "S", "D", "F", "G",
    "H", "J", "K", "L", ";", "'", "Enter", "4", "5", "6", "", "", "", "", "", "Shift", "Z", "X", "C",
    "V", "B", "N", "M", ",", ".", "/", "Shift", "\u2191", "1", "2", "3", "", "", "", "", "", "Ctrl",
    "Win", "Alt", "", "Alt", "Fn", "Menu", "Ctrl", "\u2190", "\u2193", "\u2192", "0", ".", "Enter", "+",
    "M1", "M2", "M3", "M4", "M5", "Win",
]
assert len(KEY_CAPS) == 126

# Width in key units of the keys that are not one unit wide.
KEY_WIDTH = {34: 2.0, 42: 1.5, 55: 1.5, 63: 1.75, 75: 2.25, 84: 2.25, 95: 2.75, 105: 1.25, 106: 1.25,
             107: 1.25, 108: 6.0, 112: 1.25, 116: 2.0}
KEY_HEIGHT = {119: 2.0, 118: 2.0}  # the numeric pad's + and Enter span two rows
SPANS_UP = {119}  # + reaches into the row above; Enter into the row below
# Where the blocks of the board start (key units): macro keys, main block,
# navigation block, numeric pad.
MACRO_X, MAIN_X, NAV_X, PAD_X = 0.0, 1.25, 16.5, 19.75
ROW_Y = [0.0, 1.25, 2.25, 3.25, 4.25, 5.25]
# Keys above the numeric pad that are not on the matrix: the game-mode and
# colour keys.
EXTRA_KEYS = {16: (PAD_X + 1.0, 0.0), 17: (PAD_X + 2.0, 0.0)}
# Function-key row: Esc, then groups of four with half-unit gaps.
F_ROW_X = {0: MAIN_X}
for i in range(12):
    F_ROW_X[1 + i] = MAIN_X + 2.0 + i + 0.5 * (i // 4)
for i in range(3):
    F_ROW_X[13 + i] = NAV_X + i


def keyboard_positions():
    """UI key -> (x, y, w, h) in key units, for every key on the board."""
    pos = {}
    for col, rows in enumerate(KEY_MATRIX):
        for row, key in enumerate(rows):
            if key == EMPTY:
                continue
            pos[key] = (col, row)
    placed = {}
    for row in range(6):
        keys = sorted((c, k) for k, (c, r) in pos.items() if r == row)
        x_main = MAIN_X
        for col, key in keys:
            w = KEY_WIDTH.get(key, 1.0)
            h = KEY_HEIGHT.get(key, 1.0)
            if row == 0:
                x = F_ROW_X[key]
            elif col == 0:
                x = MACRO_X
            elif col <= 14 or (row == 5 and col <= 15):
                x = x_main
                x_main += w
            elif col <= 18:
                x = NAV_X + (col - 16)
            else:
                x = PAD_X + (col - 19)
            y = ROW_Y[row]
            if key in SPANS_UP:
                y = ROW_Y[row - 1]
            placed[key] = (x, y, w, h)
    # Arrow keys: the up key sits above the down key.
    placed[96] = (NAV_X + 1, ROW_Y[4], 1.0, 1.0)
    for key, (x, y) in EXTRA_KEYS.items():
        placed[key] = (x, y, 1.0, 1.0)
    return placed


def prop(name, inner, stdset=True):
    extra = "" if stdset else ' stdset="0"'
    return f'<property name="{name}"{extra}>{inner}</property>'


def string(text):
    return f"<string>{escape(text)}</string>"


def size(w, h):
    return f"<size><width>{w}</width><height>{h}</height></size>"


def rect(x, y, w, h):
    return f"<rect><x>{x}</x><y>{y}</y><width>{w}</width><height>{h}</height></rect>"


class Writer:
    def __init__(self):
        self.lines = []
        self.depth = 0
        self.counter = 0

    def open(self, text):
        self.line(text)
        self.depth += 1

    def close(self, text):
        self.depth -= 1
        self.line(text)

    def line(self, text):
        self.lines.append(" " * self.depth + text)

    def uid(self):
        self.counter += 1
        return self.counter

    def layout(self, cls, name, spacing=0, margins=(0, 0, 0, 0)):
        self.open(f'<layout class="{cls}" name="{name}">')
        self.line(prop("spacing", f"<number>{spacing}</number>"))
        for side, m in zip(("leftMargin", "topMargin", "rightMargin", "bottomMargin"), margins):
            self.line(prop(side, f"<number>{m}</number>"))

    def key_button(self, name, light, geometry, caption="", visible=True, tooltip=None):
        self.open(f'<widget class="DeviceKeyButton" name="{name}">')
        self.line(prop("geometry", rect(*geometry)))
        if light is not None:
            self.line(prop("userdata", string(light), stdset=False))
        if caption:
            self.line(prop("text", string(caption)))
        if tooltip:
            self.line(prop("toolTip", string(tooltip)))
        if not visible:
            self.line(prop("visible", "<bool>false</bool>"))
        self.line(prop("role", string("devicekey"), stdset=False))
        self.close("</widget>")

    def panel(self, cls, name):
        """A sub-layout panel (its tag builds another layout) or a plain panel."""
        self.open(f'<widget class="{cls}" name="{name}">')
        self.close("</widget>")

    def text_panel(self, name, text_id):
        """A panel of a function whose controls come with that function."""
        self.open(f'<widget class="QWidget" name="{name}">')
        self.line(prop("role", string("panel"), stdset=False))
        self.layout("QVBoxLayout", f"{name}_layout", 0, (12, 12, 12, 12))
        self.open("<item>")
        self.open(f'<widget class="QLabel" name="{name}_title">')
        self.line(prop("textId", string(text_id), stdset=False))
        self.line(prop("fontId", "<number>2</number>", stdset=False))
        self.close("</widget>")
        self.close("</item>")
        self.open("<item>")
        self.open(f'<spacer name="{name}_spacer">')
        self.line(prop("orientation", "<enum>Qt::Vertical</enum>"))
        self.line(prop("sizeHint", size(0, 0), stdset=False))
        self.close("</spacer>")
        self.close("</item>")
        self.close("</layout>")
        self.close("</widget>")


def stack(w, name, pages):
    """A tab layout; each page is a function that writes the page's content."""
    w.open(f'<widget class="QStackedWidget" name="{name}">')
    for i, page in enumerate(pages):
        w.open(f'<widget class="QWidget" name="{name}_page_{i}">')
        w.layout("QVBoxLayout", f"{name}_page_{i}_layout")
        w.open("<item>")
        page(w)
        w.close("</item>")
        w.close("</layout>")
        w.close("</widget>")
    w.close("</widget>")


def write_page(file_name, root_class, root_name, picture_name, picture_size, picture_role, buttons,
               function_pages, key_function_pages):
    w = Writer()
    w.line('<?xml version="1.0" encoding="UTF-8"?>')
    w.line("<!-- Written by scripts/make_device_pages.py; change the script, not this file. -->")
    w.open('<ui version="4.0">')
    w.line(f"<class>{root_name}</class>")
    w.open(f'<widget class="{root_class}" name="{root_name}">')
    w.layout("QVBoxLayout", f"{root_name}_layout", 12)
    # The profile bar with the function tabs.
    w.open("<item>")
    w.panel("DeviceProfileUI", "DeviceProfileItem")
    w.close("</item>")
    # The device picture.
    w.open('<item alignment="Qt::AlignHCenter">')
    w.open(f'<widget class="SelectPanel" name="{picture_name}">')
    w.line(prop("minimumSize", size(*picture_size)))
    w.line(prop("maximumSize", size(*picture_size)))
    w.line(prop("role", string(picture_role), stdset=False))
    for b in buttons:
        w.key_button(**b)
    w.close("</widget>")
    w.close("</item>")
    # The function panels: tab 0 holds the key-function tabs.
    w.open("<item>")
    stack(w, "device_function_switch",
          [lambda w: stack(w, "device_key_function_switch", key_function_pages)] + function_pages)
    w.close("</item>")
    w.close("</layout>")
    w.close("</widget>")
    w.close("</ui>")
    (OUT / file_name).write_text("\n".join(w.lines) + "\n", encoding="utf-8")


def panel(cls, name):
    return lambda w: w.panel(cls, name)


def text_panel(name, text_id):
    return lambda w: w.text_panel(name, text_id)


UNIT, GAP, PAD = 36, 3, 10


def keyboard_buttons():
    placed = keyboard_positions()
    buttons = []
    for key in range(126):
        if key in placed:
            x, y, w, h = placed[key]
            geometry = (PAD + round(x * UNIT), PAD + round(y * UNIT), round(w * UNIT) - GAP,
                        round(h * UNIT) - GAP)
            buttons.append(dict(name=f"key_{key}", light=f"light_{key}", geometry=geometry,
                                caption=KEY_CAPS[key]))
        else:
            # A key of the key list that this board does not have: bound, never shown.
            buttons.append(dict(name=f"key_{key}", light=f"light_{key}", geometry=(0, 0, 0, 0),
                                visible=False))
    return buttons


def keyboard_size():
    placed = keyboard_positions()
    width = max(x + w for x, y, w, h in placed.values())
    height = max(y + h for x, y, w, h in placed.values())
    return (2 * PAD + round(width * UNIT) - GAP, 2 * PAD + round(height * UNIT) - GAP)


def write_keyboard(file_name):
    write_page(file_name, "OrvaneKeyboardDevice", "keyboard_device", "device_key_light", keyboard_size(),
               "keyboardpicture", keyboard_buttons(),
               [panel("MacroSetControlUI", "MacroControlItem")],
               [panel("LightSetControlUI", "LightControlItem"), panel("KeySetControlUI", "KeySetControlItem"),
                text_panel("keyboard_system_panel", "panel_keyboard_system")])


def write_mouse():
    # Eight keys seen from above: the two main buttons, the wheel, the DPI
    # button behind it, two side buttons on each flank. Six LEDs: the wheel,
    # the DPI button, the logo and three along the rear.
    keys = [
        ("key_0", "light_0", (30, 14, 68, 100), "L"),
        ("key_1", None, (122, 14, 68, 100), "R"),
        ("key_2", "light_1", (100, 28, 20, 40), ""),
        ("key_3", "light_2", (100, 74, 20, 26), "DPI"),
        ("key_4", None, (8, 120, 18, 34), ""),
        ("key_5", None, (8, 158, 18, 34), ""),
        ("key_6", None, (194, 120, 18, 34), ""),
        ("key_7", None, (194, 158, 18, 34), ""),
    ]
    buttons = [dict(name=n, light=l, geometry=g, caption=c) for n, l, g, c in keys]
    buttons.append(dict(name="mouse_logo_light", light="light_3", geometry=(92, 170, 36, 36), caption="",
                        tooltip="logo"))
    for i, x in enumerate((70, 130)):
        buttons.append(dict(name=f"mouse_rear_light_{i}", light=f"light_{4 + i}", geometry=(x, 224, 20, 10)))
    write_page("mousedevice1.ui", "OrvaneMouseDevice", "mouse_device", "mouse_device_key_light", (220, 244),
               "mousepicture", buttons,
               [panel("MacroSetControlUI", "MacroControlItem"), text_panel("mouse_pointer_panel", "panel_pointer")],
               [panel("LightSetControlUI", "LightControlItem"), panel("KeySetControlUI", "KeySetControlItem"),
                text_panel("mouse_system_panel", "panel_mouse_system")])


def write_mouse_pad():
    # Fifteen LEDs around the pad's edge, clockwise from the top-left corner.
    width, height, strip = 560, 250, 14
    spots = []
    top = [(25 + i * 90, 0) for i in range(6)]  # 6 along the top
    right = [(width - strip, 55 + i * 70) for i in range(2)]  # 2 down the right
    bottom = [(450 - i * 100, height - strip) for i in range(5)]  # 5 along the bottom
    left = [(0, 160 - i * 70) for i in range(2)]  # 2 up the left
    for x, y in top + right + bottom + left:
        horizontal = y in (0, height - strip)
        spots.append((x, y, 60 if horizontal else strip, strip if horizontal else 60))
    assert len(spots) == 15
    buttons = [dict(name=f"pad_light_{i}", light=f"light_{i}", geometry=g) for i, g in enumerate(spots)]
    write_page("mousepaddevice.ui", "OrvaneMousePadDevice", "mousepad_device", "mousepad_device_key_light",
               (width, height), "padpicture", buttons, [], [panel("LightSetControlUI", "LightControlItem")])


def write_headset():
    # Thirteen LEDs: a ring of six on each ear cup and the logo on the band.
    buttons = []
    for cup, cx in enumerate((70, 290)):
        for i in range(6):
            a = math.pi / 2 + i * math.pi / 3
            x = round(cx + 48 * math.cos(a)) - 9
            y = round(150 + 48 * math.sin(a)) - 9
            buttons.append(dict(name=f"hs_light_{cup * 6 + i}", light=f"light_{cup * 6 + i}",
                                geometry=(x, y, 18, 18)))
    buttons.append(dict(name="hs_light_12", light="light_12", geometry=(160, 12, 40, 18), tooltip="logo"))
    write_page("hs6533device.ui", "OrvaneHS6533Device", "hs6533_device", "hs_device_key_light", (360, 220),
               "headsetpicture", buttons, [panel("MagicSetControlUI", "MagicControlItem")],
               [panel("LightSetControlUI", "LightControlItem"), panel("Voice6533SetControlUI", "Voice6533ControlItem")])


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    write_keyboard("keyboarddevice.ui")
    write_keyboard("keyboarddevice1.ui")
    write_mouse()
    write_mouse_pad()
    write_headset()


if __name__ == "__main__":
    main()
