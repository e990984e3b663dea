<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>texts</name>
    <message id="app_title">
        <source>VANTIRO R88</source>
        <translation>VANTIRO R88</translation>
    </message>
    <message id="tip_skin">
        <source>Background skin</source>
        <translation>Background skin</translation>
    </message>
    <message id="tip_gamemode">
        <source>Game mode</source>
        <translation>Game mode</translation>
    </message>
    <message id="tip_cloud">
        <source>Shared profiles</source>
        <translation>Shared profiles</translation>
    </message>
    <message id="tip_smarteyes">
        <source>Eye care</source>
        <translation>Eye care</translation>
    </message>
    <message id="tip_settings">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="tip_minimise">
        <source>Minimise</source>
        <translation>Minimise</translation>
    </message>
    <message id="tip_close">
        <source>Close to the tray</source>
        <translation>Close to the tray</translation>
    </message>
    <message id="device_list_title">
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
    <message id="tip_light_control">
        <source>Whether this program drives the device lighting</source>
        <translation>Whether this program drives the device lighting</translation>
    </message>
    <message id="no_device_title">
        <source>No device connected</source>
        <translation>No device connected</translation>
    </message>
    <message id="no_device_text">
        <source>Plug in a supported keyboard, mouse, mouse pad or headset. It appears here as soon as it is detected.</source>
        <translation>Plug in a supported keyboard, mouse, mouse pad or headset. It appears here as soon as it is detected.</translation>
    </message>
    <message id="nodevice_ok">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="update_found_text">
        <source>A new version is available.</source>
        <translation>A new version is available.</translation>
    </message>
    <message id="update_ok">
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message id="update_cancel">
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message id="update_running_text">
        <source>Updating…</source>
        <translation>Updating…</translation>
    </message>
    <message id="update_retry">
        <source>Try again</source>
        <translation>Try again</translation>
    </message>
    <message id="update_finish">
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message id="update_no_close_text">
        <source>Do not unplug the device or close the program while it updates.</source>
        <translation>Do not unplug the device or close the program while it updates.</translation>
    </message>
    <message id="update_close">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="message_title">
        <source>Notice</source>
        <translation>Notice</translation>
    </message>
    <message id="msg_confirm">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="msg_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="profile_title">
        <source>Profile</source>
        <translation>Profile</translation>
    </message>
    <message id="profile_rename">
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message id="tip_profile_rename">
        <source>Rename the profile</source>
        <translation>Rename the profile</translation>
    </message>
    <message id="tip_profile_add">
        <source>New profile</source>
        <translation>New profile</translation>
    </message>
    <message id="tip_profile_delete">
        <source>Delete the profile</source>
        <translation>Delete the profile</translation>
    </message>
    <message id="profile_copy">
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message id="tip_profile_copy">
        <source>Copy the profile</source>
        <translation>Copy the profile</translation>
    </message>
    <message id="profile_import">
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message id="tip_profile_import">
        <source>Import a profile file</source>
        <translation>Import a profile file</translation>
    </message>
    <message id="profile_export">
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message id="tip_profile_export">
        <source>Export the profile to a file</source>
        <translation>Export the profile to a file</translation>
    </message>
    <message id="profile_reset">
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message id="tip_profile_reset">
        <source>Reset the profile to its factory settings</source>
        <translation>Reset the profile to its factory settings</translation>
    </message>
    <message id="device_default">
        <source>Restore defaults</source>
        <translation>Restore defaults</translation>
    </message>
    <message id="tip_device_default">
        <source>Restore the device to its factory settings</source>
        <translation>Restore the device to its factory settings</translation>
    </message>
    <message id="tip_profile_spread">
        <source>Show or hide the profile list</source>
        <translation>Show or hide the profile list</translation>
    </message>
    <message id="panel_lighting">
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message id="panel_voice">
        <source>Equaliser and microphone</source>
        <translation>Equaliser and microphone</translation>
    </message>
    <message id="panel_magic">
        <source>Voice changer</source>
        <translation>Voice changer</translation>
    </message>
    <message id="panel_keyset">
        <source>Key assignment</source>
        <translation>Key assignment</translation>
    </message>
    <message id="panel_macro">
        <source>Macros</source>
        <translation>Macros</translation>
    </message>
    <message id="panel_shoot">
        <source>Shooting assist</source>
        <translation>Shooting assist</translation>
    </message>
    <message id="menu_exit">
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message id="message_text_4">
        <source>Delete this macro?</source>
        <translation>Delete this macro?</translation>
    </message>
    <message id="message_text_5">
        <source>This name cannot be used. Choose another one.</source>
        <translation>This name cannot be used. Choose another one.</translation>
    </message>
    <message id="message_text_6">
        <source>At least one key must keep the left mouse button.</source>
        <translation>At least one key must keep the left mouse button.</translation>
    </message>
    <message id="message_text_7">
        <source>Writing the macros to the device failed.</source>
        <translation>Writing the macros to the device failed.</translation>
    </message>
    <message id="message_text_9">
        <source>This profile file belongs to another kind of device.</source>
        <translation>This profile file belongs to another kind of device.</translation>
    </message>
    <message id="message_text_16">
        <source>Writing the macros to the device failed (error %d).</source>
        <translation>Writing the macros to the device failed (error %d).</translation>
    </message>
    <message id="message_text_22">
        <source>Restore the factory settings? Your changes will be lost.</source>
        <translation>Restore the factory settings? Your changes will be lost.</translation>
    </message>
    <message id="tip_profile_combo">
        <source>Choose the profile of the device</source>
        <translation>Choose the profile of the device</translation>
    </message>
    <message id="tip_profile_name">
        <source>Name of the profile</source>
        <translation>Name of the profile</translation>
    </message>
    <message id="tab_lighting">
        <source>Lighting</source>
        <translation>Lighting</translation>
    </message>
    <message id="tab_keys">
        <source>Keys</source>
        <translation>Keys</translation>
    </message>
    <message id="tab_macros">
        <source>Macros</source>
        <translation>Macros</translation>
    </message>
    <message id="tab_system">
        <source>System</source>
        <translation>System</translation>
    </message>
    <message id="tab_pointer">
        <source>Pointer</source>
        <translation>Pointer</translation>
    </message>
    <message id="tab_voice">
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message id="tab_magic">
        <source>Voice changer</source>
        <translation>Voice changer</translation>
    </message>
    <message id="tip_device_select">
        <source>Show this device</source>
        <translation>Show this device</translation>
    </message>
    <message id="tip_device_synchro">
        <source>Take part in synchronised lighting</source>
        <translation>Take part in synchronised lighting</translation>
    </message>
    <message id="tip_power_wireless">
        <source>Connected wirelessly</source>
        <translation>Connected wirelessly</translation>
    </message>
    <message id="panel_pointer">
        <source>Pointer</source>
        <translation>Pointer</translation>
    </message>
    <message id="panel_keyboard_system">
        <source>Keyboard settings</source>
        <translation>Keyboard settings</translation>
    </message>
    <message id="panel_mouse_system">
        <source>Mouse settings</source>
        <translation>Mouse settings</translation>
    </message>
    <message id="Phone_type_iphone">
        <source>iPhone on the charger</source>
        <translation>iPhone on the charger</translation>
    </message>
    <message id="Phone_type_samsung">
        <source>Samsung phone on the charger</source>
        <translation>Samsung phone on the charger</translation>
    </message>
    <message id="Phone_type_other">
        <source>Phone on the charger</source>
        <translation>Phone on the charger</translation>
    </message>
    <message id="Phone_type_no_device">
        <source>No phone on the charger</source>
        <translation>No phone on the charger</translation>
    </message>
    <message id="light_effect_kb_0">
        <source>Wave</source>
        <translation>Wave</translation>
    </message>
    <message id="light_effect_kb_1">
        <source>Sweep</source>
        <translation>Sweep</translation>
    </message>
    <message id="light_effect_kb_2">
        <source>Snake</source>
        <translation>Snake</translation>
    </message>
    <message id="light_effect_kb_3">
        <source>Spectrum cycle</source>
        <translation>Spectrum cycle</translation>
    </message>
    <message id="light_effect_kb_4">
        <source>Breathing</source>
        <translation>Breathing</translation>
    </message>
    <message id="light_effect_kb_5">
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message id="light_effect_kb_6">
        <source>Reactive</source>
        <translation>Reactive</translation>
    </message>
    <message id="light_effect_kb_7">
        <source>Ripple</source>
        <translation>Ripple</translation>
    </message>
    <message id="light_effect_kb_8">
        <source>Row splash</source>
        <translation>Row splash</translation>
    </message>
    <message id="light_effect_kb_9">
        <source>Sparkle</source>
        <translation>Sparkle</translation>
    </message>
    <message id="light_effect_kb_10">
        <source>Rainbow keys</source>
        <translation>Rainbow keys</translation>
    </message>
    <message id="light_effect_kb_11">
        <source>Row wave</source>
        <translation>Row wave</translation>
    </message>
    <message id="light_effect_kb_12">
        <source>Centre sweep</source>
        <translation>Centre sweep</translation>
    </message>
    <message id="light_effect_kb_13">
        <source>Showcase</source>
        <translation>Showcase</translation>
    </message>
    <message id="light_effect_kb_14">
        <source>Twinkle</source>
        <translation>Twinkle</translation>
    </message>
    <message id="light_effect_kb_15">
        <source>Edge sweep</source>
        <translation>Edge sweep</translation>
    </message>
    <message id="light_effect_kb_16">
        <source>Soft light</source>
        <translation>Soft light</translation>
    </message>
    <message id="light_effect_kb_17">
        <source>Ring rainbow</source>
        <translation>Ring rainbow</translation>
    </message>
    <message id="light_effect_kb_25">
        <source>Column bloom</source>
        <translation>Column bloom</translation>
    </message>
    <message id="light_effect_kb_27">
        <source>Custom lighting</source>
        <translation>Custom lighting</translation>
    </message>
    <message id="light_effect_kb_28">
        <source>Snake trail</source>
        <translation>Snake trail</translation>
    </message>
    <message id="light_effect_kb_30">
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message id="light_effect_kb_31">
        <source>Path burst</source>
        <translation>Path burst</translation>
    </message>
    <message id="light_effect_kb_32">
        <source>Fade</source>
        <translation>Fade</translation>
    </message>
    <message id="light_effect_kb_34">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="light_effect_kb_35">
        <source>Four-colour breathing</source>
        <translation>Four-colour breathing</translation>
    </message>
    <message id="light_effect_kb_36">
        <source>Four-colour flash</source>
        <translation>Four-colour flash</translation>
    </message>
    <message id="light_effect_sequence">
        <source>User light sequence</source>
        <translation>User light sequence</translation>
    </message>
    <message id="light_effect_mouse_0">
        <source>Wave</source>
        <translation>Wave</translation>
    </message>
    <message id="light_effect_mouse_1">
        <source>Spectrum cycle</source>
        <translation>Spectrum cycle</translation>
    </message>
    <message id="light_effect_mouse_2">
        <source>Four-colour breathing</source>
        <translation>Four-colour breathing</translation>
    </message>
    <message id="light_effect_mouse_3">
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message id="light_effect_mouse_4">
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message id="light_effect_mouse_5">
        <source>Four-colour flash</source>
        <translation>Four-colour flash</translation>
    </message>
    <message id="light_effect_mouse_6">
        <source>Breathing</source>
        <translation>Breathing</translation>
    </message>
    <message id="light_effect_mouse_7">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="light_effect_mouse_8">
        <source>Trail</source>
        <translation>Trail</translation>
    </message>
    <message id="light_effect_pad_0">
        <source>Wave</source>
        <translation>Wave</translation>
    </message>
    <message id="light_effect_pad_1">
        <source>Spectrum cycle</source>
        <translation>Spectrum cycle</translation>
    </message>
    <message id="light_effect_pad_2">
        <source>Breathing</source>
        <translation>Breathing</translation>
    </message>
    <message id="light_effect_pad_3">
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message id="light_effect_pad_4">
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message id="light_effect_pad_6">
        <source>Trail</source>
        <translation>Trail</translation>
    </message>
    <message id="light_effect_pad_7">
        <source>Group trail</source>
        <translation>Group trail</translation>
    </message>
    <message id="light_effect_pad_8">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="light_area_keys">
        <source>Keys</source>
        <translation>Keys</translation>
    </message>
    <message id="light_area_wheel">
        <source>Wheel</source>
        <translation>Wheel</translation>
    </message>
    <message id="light_area_logo">
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message id="light_area_rear">
        <source>Rear strip</source>
        <translation>Rear strip</translation>
    </message>
    <message id="light_area_edge">
        <source>Edge</source>
        <translation>Edge</translation>
    </message>
    <message id="light_area_left_cup">
        <source>Left ear cup</source>
        <translation>Left ear cup</translation>
    </message>
    <message id="light_area_right_cup">
        <source>Right ear cup</source>
        <translation>Right ear cup</translation>
    </message>
    <message id="light_effect_title">
        <source>Effect</source>
        <translation>Effect</translation>
    </message>
    <message id="light_custom_title">
        <source>Custom group</source>
        <translation>Custom group</translation>
    </message>
    <message id="light_brightness">
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message id="light_speed">
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message id="light_direction">
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message id="light_dir_left">
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message id="light_dir_right">
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message id="light_multicolor">
        <source>Multicolour</source>
        <translation>Multicolour</translation>
    </message>
    <message id="light_colour">
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message id="light_colour_current">
        <source>Current colour</source>
        <translation>Current colour</translation>
    </message>
    <message id="light_pallet_tip">
        <source>Click or drag to pick a colour</source>
        <translation>Click or drag to pick a colour</translation>
    </message>
    <message id="light_swatch_tip">
        <source>Preset colour</source>
        <translation>Preset colour</translation>
    </message>
    <message id="light_same_mode">
        <source>Sync all devices</source>
        <translation>Sync all devices</translation>
    </message>
    <message id="Light_Set">
        <source>Light settings</source>
        <translation>Light settings</translation>
    </message>
    <message id="Overall_Light_Set">
        <source>Overall lighting: </source>
        <translation>Overall lighting: </translation>
    </message>
    <message id="set_title">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="set_launch_app">
        <source>Start with the desktop session</source>
        <translation>Start with the desktop session</translation>
    </message>
    <message id="set_language">
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message id="GetUpdateInfoText">
        <source>Checking for updates…</source>
        <translation>Checking for updates…</translation>
    </message>
    <message id="HaveUpdateInfoText">
        <source>Updates are available.</source>
        <translation>Updates are available.</translation>
    </message>
    <message id="NoUpdateInfoText">
        <source>No update information is available.</source>
        <translation>No update information is available.</translation>
    </message>
    <message id="ISUpdateINGText">
        <source>Downloading updates…</source>
        <translation>Downloading updates…</translation>
    </message>
    <message id="UpdateIsLastText">
        <source>Everything is up to date. Last checked: </source>
        <translation>Everything is up to date. Last checked: </translation>
    </message>
    <message id="UpdateUrlNotHttpsText">
        <source>The update server address must start with https://; no check was made.</source>
        <translation>The update server address must start with https://; no check was made.</translation>
    </message>
    <message id="update_col_name">
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message id="update_col_current">
        <source>Installed</source>
        <translation>Installed</translation>
    </message>
    <message id="update_col_new">
        <source>Available</source>
        <translation>Available</translation>
    </message>
    <message id="set_update_btn">
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message id="set_later_btn">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="set_update_confirm">
        <source>Download the ticked updates now?</source>
        <translation>Download the ticked updates now?</translation>
    </message>
    <message id="FirmwareSavedText">
        <source>The firmware for %1 was saved to:
%2</source>
        <translation>The firmware for %1 was saved to:
%2</translation>
    </message>
</context>
</TS>
