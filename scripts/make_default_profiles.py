#!/usr/bin/env python3
"""Writes the factory profile documents under data/DefaultData/.

Each device folder name gets one document <name>.Json holding the device
section ("Device"[0]) with every key its profile data object reads. The files
are committed; run this again only after changing a value here:

    python3 scripts/make_default_profiles.py
"""
import json
import pathlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "DefaultData"

# Keyboard: UI key -> (type, param1, param2), 126 keys; None is 20 00 00.
KEYBOARD_LAYOUT = """
20 00 29|20 00 3A|20 00 3B|20 00 3C|20 00 3D|20 00 3E|20 00 3F|20 00 40|20 00 41|20 00 42|
20 00 43|20 00 44|20 00 45|20 00 46|20 00 47|20 00 48|A0 1B 00|A0 24 00|||
|20 00 35|20 00 1E|20 00 1F|20 00 20|20 00 21|20 00 22|20 00 23|20 00 24|20 00 25|
20 00 26|20 00 27|20 00 2D|20 00 2E|20 00 2A|20 00 49|20 00 4A|20 00 4B|20 00 53|20 00 54|
20 00 55|20 00 56|20 00 2B|20 00 14|20 00 1A|20 00 08|20 00 15|20 00 17|20 00 1C|20 00 18|
20 00 0C|20 00 12|20 00 13|20 00 2F|20 00 30|20 00 31|20 00 4C|20 00 4D|20 00 4E|20 00 5F|
20 00 60|20 00 61||20 00 39|20 00 04|20 00 16|20 00 07|20 00 09|20 00 0A|20 00 0B|
20 00 0D|20 00 0E|20 00 0F|20 00 33|20 00 34|20 00 28|20 00 5C|20 00 5D|20 00 5E|20 00 8A|
20 00 8B|20 00 90|20 00 91|20 00 88|20 02 00|20 00 1D|20 00 1B|20 00 06|20 00 19|20 00 05|
20 00 11|20 00 10|20 00 36|20 00 37|20 00 38|20 20 00|20 00 52|20 00 59|20 00 5A|20 00 5B|
20 00 87|20 00 89|20 00 64|20 00 85||20 01 00|20 08 00|20 04 00|20 00 2C|20 40 00|
A0 01 00|20 00 65|20 10 00|20 00 50|20 00 51|20 00 4F|20 00 62|20 00 63|20 00 58|20 00 57|
D0 A2 01|D0 A2 02|D0 A2 03|D0 A2 04|D0 A2 05|20 80 00
"""

# Mouse: logical buttons 0..10 with their factory codes.
MOUSE_BUTTONS = [
    (0x10, 0x01, 0x00), (0x10, 0x02, 0x00), (0x10, 0x04, 0x00), (0x10, 0x10, 0x00),
    (0x10, 0x08, 0x00), (0x13, 0x01, 0x00), (0x13, 0x02, 0x00), (0xD0, 0x00, 0x00),
    (0x13, 0x03, 0x00), (0xA0, 0x1B, 0x00), (0x16, 0x90, 0x01),
]

# Headset: the twelve equaliser presets, bands 1..10.
EQ_PRESETS = [
    [7, 11, 2, -3, -1, 4, 9, 12, 9, 5],
    [7, 11, 6, -3, -11, -1, 6, 13, 6, 13],
    [10, 4, 0, -3, -4, -3, -2, -1, 0, 0],
    [2, 1, -2, -3, -5, -7, 0, 4, 9, 8],
    [0, 0, 0, 0, 0, 0, 0, 0, 0, 0],
    [7, 14, -13, -6, -1, 8, 13, 7, 2, 6],
    [14, 10, 4, 0, -4, -3, -1, 1, 2, 3],
    [2, 1, -2, -3, -5, -1, 7, 11, 15, 13],
    [8, 2, -4, -8, 1, 3, 8, 11, 14, 16],
    [-3, 4, 10, 0, -11, 3, 9, 13, 6, 0],
    [18, 14, 8, 2, -3, -6, -1, 2, 5, 6],
    [2, 1, -2, -4, -8, 4, 12, 16, 18, 15],
]

# Keys lit red in the first custom colour group: W, A, S, D and the arrows.
CUSTOM_RED_KEYS = {44, 64, 65, 66, 96, 113, 114, 115}


def keyboard_layout():
    cells = [c.strip() for c in KEYBOARD_LAYOUT.replace("\n", "").split("|")]
    assert len(cells) == 126, len(cells)
    return [tuple(int(b, 16) for b in c.split()) if c else (0x20, 0, 0) for c in cells]


def packed(code):
    t, p1, p2 = code
    return t * 65536 + p1 * 256 + p2


def key_list(codes):
    return [{"Assignment": packed(c), "DefaultAssignment": packed(c)} for c in codes]


def light_info(effect, brightness, speed, direction, multi, rgb):
    return {"SelectItem": effect, "Light": brightness, "Speed": speed, "Fx": direction,
            "MultiColor": multi, "Red": rgb[0], "Green": rgb[1], "Blue": rgb[2]}


def light_list(count):
    # No LED has a setting of its own: every LED follows the light state.
    return [None] * count


def bands(values):
    return [{"value": v} for v in values]


def document(section):
    return {"Device": [section], "profilename": "Profile1", "profileUUID": "default"}


def keyboard():
    return document({
        "LightInfo": light_info(0, 4, 2, 1, 1, (255, 0, 0)),
        "LightList": light_list(126),
        "KeyList": key_list(keyboard_layout()),
        "SystemStages": {"Repeat": 31, "RepeatDelay": 1, "Key6Flag": 0, "PollingRate": 3,
                         "WFlag": 0, "WinFlag": 0},
        "CustomLightMode": {
            "CustomLightModeGroupIndex": 0,
            "LightColorInfo": [[
                {"Red": 255, "Green": 0, "Blue": 0, "Alpha": 255} if k in CUSTOM_RED_KEYS
                else {"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0}
                for k in range(126)]],
        },
    })


def mouse():
    # DPI steps 7, 15, 31, 63, 127 are 400 .. 6400 DPI at 50 DPI per step.
    stage_steps = [7, 15, 31, 63, 127]
    stage_colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (255, 0, 255)]
    return document({
        "LightInfo": light_info(0, 4, 2, 0, 1, (255, 0, 0)),
        "LightList": light_list(6),
        "KeyList": key_list(MOUSE_BUTTONS),
        "SystemStages": {"DoubleClickTime": 6, "MouseSpeed": 10, "PointerPrecision": 1,
                         "ScorllPage": 0, "WheelScorlllinse": 3},
        "ReportStages": {"StageActive": 3},
        "HeightStages": {"StageActive": 0},
        "DPIStages": {
            "StageActive": 1,
            "StageDPIs": [
                {"StageActive": 1, "StageXY": 0, "StageDPIX": s, "StageDPIY": s,
                 "StageColorR": c[0], "StageColorG": c[1], "StageColorB": c[2]}
                for s, c in zip(stage_steps, stage_colours)],
        },
        "CorrectInfo": [
            {"CorrectPixThresh": 0, "CorrectMinSq": 0, "CorrectSelect": 1, "CorrectName": "Off"},
            {"CorrectPixThresh": 4, "CorrectMinSq": 2, "CorrectSelect": 0, "CorrectName": "Low"},
            {"CorrectPixThresh": 8, "CorrectMinSq": 4, "CorrectSelect": 0, "CorrectName": "High"},
        ],
    })


def mouse_pad():
    return document({
        "LightInfo": light_info(1, 4, 2, 0, 1, (255, 0, 0)),
        "LightList": light_list(15),
    })


def headset():
    # Slot 0 of "EQHzValueInfo" is never used (curve 0 lives in slot 1).
    return document({
        "LightInfo": light_info(1, 4, 2, 0, 1, (255, 0, 0)),
        "LightList": light_list(13),
        "SystemSetStages": {"MagicEnable": 0, "MagicType": 1, "EqType": 5, "CustomEqSeletIndex": 0,
                            "MicInSelect": 1, "MicInValue": 80, "MicMoniterSelect": 0,
                            "MicMoniterValue": 50},
        "EQHzValueInfo": [bands([0] * 10)] + [bands(p) for p in EQ_PRESETS],
        "CustomEQNameInfo": [],
        "CustomEQHzValueInfo": [],
    })


def write(name, doc):
    text = json.dumps(doc, indent=3, separators=(",", " : "), ensure_ascii=False)
    (OUT / (name + ".Json")).write_text(text + "\n", encoding="utf-8")


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    write("keyboard", keyboard())
    write("keyboard5284", keyboard())
    write("mouse", mouse())
    write("MousePad", mouse_pad())
    write("HD", headset())


if __name__ == "__main__":
    main()
