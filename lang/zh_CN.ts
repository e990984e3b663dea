<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>texts</name>
    <message id="app_title">
        <source>VANTIRO R88</source>
        <translation>VANTIRO R88</translation>
    </message>
    <message id="tip_skin">
        <source>Background skin</source>
        <translation>背景皮肤</translation>
    </message>
    <message id="tip_gamemode">
        <source>Game mode</source>
        <translation>游戏模式</translation>
    </message>
    <message id="tip_cloud">
        <source>Shared profiles</source>
        <translation>共享配置</translation>
    </message>
    <message id="tip_smarteyes">
        <source>Eye care</source>
        <translation>护眼模式</translation>
    </message>
    <message id="tip_settings">
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message id="tip_minimise">
        <source>Minimise</source>
        <translation>最小化</translation>
    </message>
    <message id="tip_close">
        <source>Close to the tray</source>
        <translation>关闭到托盘</translation>
    </message>
    <message id="device_list_title">
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message id="tip_light_control">
        <source>Whether this program drives the device lighting</source>
        <translation>是否由本软件控制设备灯光</translation>
    </message>
    <message id="no_device_title">
        <source>No device connected</source>
        <translation>未连接设备</translation>
    </message>
    <message id="no_device_text">
        <source>Plug in a supported keyboard, mouse, mouse pad or headset. It appears here as soon as it is detected.</source>
        <translation>请连接支持的键盘、鼠标、鼠标垫或耳机，检测到后会显示在这里。</translation>
    </message>
    <message id="nodevice_ok">
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message id="update_found_text">
        <source>A new version is available.</source>
        <translation>发现新版本。</translation>
    </message>
    <message id="update_ok">
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message id="update_cancel">
        <source>Later</source>
        <translation>稍后</translation>
    </message>
    <message id="update_running_text">
        <source>Updating…</source>
        <translation>正在更新…</translation>
    </message>
    <message id="update_retry">
        <source>Try again</source>
        <translation>重试</translation>
    </message>
    <message id="update_finish">
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message id="update_no_close_text">
        <source>Do not unplug the device or close the program while it updates.</source>
        <translation>更新期间请勿拔出设备或关闭软件。</translation>
    </message>
    <message id="update_close">
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message id="message_title">
        <source>Notice</source>
        <translation>提示</translation>
    </message>
    <message id="msg_confirm">
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message id="msg_cancel">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="profile_title">
        <source>Profile</source>
        <translation>配置</translation>
    </message>
    <message id="profile_rename">
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message id="tip_profile_rename">
        <source>Rename the profile</source>
        <translation>重命名配置</translation>
    </message>
    <message id="tip_profile_add">
        <source>New profile</source>
        <translation>新建配置</translation>
    </message>
    <message id="tip_profile_delete">
        <source>Delete the profile</source>
        <translation>删除配置</translation>
    </message>
    <message id="profile_copy">
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message id="tip_profile_copy">
        <source>Copy the profile</source>
        <translation>复制配置</translation>
    </message>
    <message id="profile_import">
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message id="tip_profile_import">
        <source>Import a profile file</source>
        <translation>导入配置文件</translation>
    </message>
    <message id="profile_export">
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message id="tip_profile_export">
        <source>Export the profile to a file</source>
        <translation>导出配置到文件</translation>
    </message>
    <message id="profile_reset">
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message id="tip_profile_reset">
        <source>Reset the profile to its factory settings</source>
        <translation>将配置恢复为出厂设置</translation>
    </message>
    <message id="device_default">
        <source>Restore defaults</source>
        <translation>恢复默认</translation>
    </message>
    <message id="tip_device_default">
        <source>Restore the device to its factory settings</source>
        <translation>将设备恢复为出厂设置</translation>
    </message>
    <message id="tip_profile_spread">
        <source>Show or hide the profile list</source>
        <translation>展开或收起配置列表</translation>
    </message>
    <message id="panel_lighting">
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message id="panel_voice">
        <source>Equaliser and microphone</source>
        <translation>均衡器与麦克风</translation>
    </message>
    <message id="panel_magic">
        <source>Voice changer</source>
        <translation>变声</translation>
    </message>
    <message id="panel_keyset">
        <source>Key assignment</source>
        <translation>按键设置</translation>
    </message>
    <message id="panel_macro">
        <source>Macros</source>
        <translation>宏</translation>
    </message>
    <message id="panel_shoot">
        <source>Shooting assist</source>
        <translation>射击辅助</translation>
    </message>
    <message id="menu_exit">
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message id="message_text_4">
        <source>Delete this macro?</source>
        <translation>确定删除此宏吗？</translation>
    </message>
    <message id="message_text_5">
        <source>This name cannot be used. Choose another one.</source>
        <translation>该名称不可用，请换一个名称。</translation>
    </message>
    <message id="message_text_6">
        <source>At least one key must keep the left mouse button.</source>
        <translation>至少需要保留一个左键功能的按键。</translation>
    </message>
    <message id="message_text_7">
        <source>Writing the macros to the device failed.</source>
        <translation>写入宏到设备失败。</translation>
    </message>
    <message id="message_text_9">
        <source>This profile file belongs to another kind of device.</source>
        <translation>该配置文件不属于此类设备。</translation>
    </message>
    <message id="message_text_16">
        <source>Writing the macros to the device failed (error %d).</source>
        <translation>写入宏到设备失败（错误 %d）。</translation>
    </message>
    <message id="message_text_22">
        <source>Restore the factory settings? Your changes will be lost.</source>
        <translation>确定恢复出厂设置吗？当前修改将丢失。</translation>
    </message>
    <message id="tip_profile_combo">
        <source>Choose the profile of the device</source>
        <translation>选择设备的配置</translation>
    </message>
    <message id="tip_profile_name">
        <source>Name of the profile</source>
        <translation>配置名称</translation>
    </message>
    <message id="tab_lighting">
        <source>Lighting</source>
        <translation>灯光</translation>
    </message>
    <message id="tab_keys">
        <source>Keys</source>
        <translation>按键</translation>
    </message>
    <message id="tab_macros">
        <source>Macros</source>
        <translation>宏</translation>
    </message>
    <message id="tab_system">
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message id="tab_pointer">
        <source>Pointer</source>
        <translation>指针</translation>
    </message>
    <message id="tab_voice">
        <source>Sound</source>
        <translation>音效</translation>
    </message>
    <message id="tab_magic">
        <source>Voice changer</source>
        <translation>变声</translation>
    </message>
    <message id="tip_device_select">
        <source>Show this device</source>
        <translation>显示此设备</translation>
    </message>
    <message id="tip_device_synchro">
        <source>Take part in synchronised lighting</source>
        <translation>参与灯光同步</translation>
    </message>
    <message id="tip_power_wireless">
        <source>Connected wirelessly</source>
        <translation>无线连接</translation>
    </message>
    <message id="panel_pointer">
        <source>Pointer</source>
        <translation>指针</translation>
    </message>
    <message id="panel_keyboard_system">
        <source>Keyboard settings</source>
        <translation>键盘设置</translation>
    </message>
    <message id="panel_mouse_system">
        <source>Mouse settings</source>
        <translation>鼠标设置</translation>
    </message>
    <message id="Phone_type_iphone">
        <source>iPhone on the charger</source>
        <translation>充电中：iPhone</translation>
    </message>
    <message id="Phone_type_samsung">
        <source>Samsung phone on the charger</source>
        <translation>充电中：三星手机</translation>
    </message>
    <message id="Phone_type_other">
        <source>Phone on the charger</source>
        <translation>充电中：手机</translation>
    </message>
    <message id="Phone_type_no_device">
        <source>No phone on the charger</source>
        <translation>无手机充电</translation>
    </message>
    <message id="light_effect_kb_0">
        <source>Wave</source>
        <translation>波浪</translation>
    </message>
    <message id="light_effect_kb_1">
        <source>Sweep</source>
        <translation>扫描</translation>
    </message>
    <message id="light_effect_kb_2">
        <source>Snake</source>
        <translation>蛇形</translation>
    </message>
    <message id="light_effect_kb_3">
        <source>Spectrum cycle</source>
        <translation>光谱循环</translation>
    </message>
    <message id="light_effect_kb_4">
        <source>Breathing</source>
        <translation>呼吸</translation>
    </message>
    <message id="light_effect_kb_5">
        <source>Static</source>
        <translation>常亮</translation>
    </message>
    <message id="light_effect_kb_6">
        <source>Reactive</source>
        <translation>触发渐隐</translation>
    </message>
    <message id="light_effect_kb_7">
        <source>Ripple</source>
        <translation>涟漪</translation>
    </message>
    <message id="light_effect_kb_8">
        <source>Row splash</source>
        <translation>横向飞溅</translation>
    </message>
    <message id="light_effect_kb_9">
        <source>Sparkle</source>
        <translation>星光闪烁</translation>
    </message>
    <message id="light_effect_kb_10">
        <source>Rainbow keys</source>
        <translation>彩虹按键</translation>
    </message>
    <message id="light_effect_kb_11">
        <source>Row wave</source>
        <translation>横向波浪</translation>
    </message>
    <message id="light_effect_kb_12">
        <source>Centre sweep</source>
        <translation>中心扫描</translation>
    </message>
    <message id="light_effect_kb_13">
        <source>Showcase</source>
        <translation>炫彩展示</translation>
    </message>
    <message id="light_effect_kb_14">
        <source>Twinkle</source>
        <translation>繁星</translation>
    </message>
    <message id="light_effect_kb_15">
        <source>Edge sweep</source>
        <translation>边缘扫描</translation>
    </message>
    <message id="light_effect_kb_16">
        <source>Soft light</source>
        <translation>柔光</translation>
    </message>
    <message id="light_effect_kb_17">
        <source>Ring rainbow</source>
        <translation>环形彩虹</translation>
    </message>
    <message id="light_effect_kb_25">
        <source>Column bloom</source>
        <translation>纵向绽放</translation>
    </message>
    <message id="light_effect_kb_27">
        <source>Custom lighting</source>
        <translation>自定义灯光</translation>
    </message>
    <message id="light_effect_kb_28">
        <source>Snake trail</source>
        <translation>蛇形拖尾</translation>
    </message>
    <message id="light_effect_kb_30">
        <source>Flash</source>
        <translation>闪烁</translation>
    </message>
    <message id="light_effect_kb_31">
        <source>Path burst</source>
        <translation>路径迸发</translation>
    </message>
    <message id="light_effect_kb_32">
        <source>Fade</source>
        <translation>渐隐</translation>
    </message>
    <message id="light_effect_kb_34">
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message id="light_effect_kb_35">
        <source>Four-colour breathing</source>
        <translation>四色呼吸</translation>
    </message>
    <message id="light_effect_kb_36">
        <source>Four-colour flash</source>
        <translation>四色闪烁</translation>
    </message>
    <message id="light_effect_sequence">
        <source>User light sequence</source>
        <translation>自定义灯效序列</translation>
    </message>
    <message id="light_effect_mouse_0">
        <source>Wave</source>
        <translation>波浪</translation>
    </message>
    <message id="light_effect_mouse_1">
        <source>Spectrum cycle</source>
        <translation>光谱循环</translation>
    </message>
    <message id="light_effect_mouse_2">
        <source>Four-colour breathing</source>
        <translation>四色呼吸</translation>
    </message>
    <message id="light_effect_mouse_3">
        <source>Flash</source>
        <translation>闪烁</translation>
    </message>
    <message id="light_effect_mouse_4">
        <source>Static</source>
        <translation>常亮</translation>
    </message>
    <message id="light_effect_mouse_5">
        <source>Four-colour flash</source>
        <translation>四色闪烁</translation>
    </message>
    <message id="light_effect_mouse_6">
        <source>Breathing</source>
        <translation>呼吸</translation>
    </message>
    <message id="light_effect_mouse_7">
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message id="light_effect_mouse_8">
        <source>Trail</source>
        <translation>拖尾</translation>
    </message>
    <message id="light_effect_pad_0">
        <source>Wave</source>
        <translation>波浪</translation>
    </message>
    <message id="light_effect_pad_1">
        <source>Spectrum cycle</source>
        <translation>光谱循环</translation>
    </message>
    <message id="light_effect_pad_2">
        <source>Breathing</source>
        <translation>呼吸</translation>
    </message>
    <message id="light_effect_pad_3">
        <source>Static</source>
        <translation>常亮</translation>
    </message>
    <message id="light_effect_pad_4">
        <source>Flash</source>
        <translation>闪烁</translation>
    </message>
    <message id="light_effect_pad_6">
        <source>Trail</source>
        <translation>拖尾</translation>
    </message>
    <message id="light_effect_pad_7">
        <source>Group trail</source>
        <translation>成对拖尾</translation>
    </message>
    <message id="light_effect_pad_8">
        <source>Off</source>
        <translation>关闭</translation>
    </message>
    <message id="light_area_keys">
        <source>Keys</source>
        <translation>按键</translation>
    </message>
    <message id="light_area_wheel">
        <source>Wheel</source>
        <translation>滚轮</translation>
    </message>
    <message id="light_area_logo">
        <source>Logo</source>
        <translation>标志</translation>
    </message>
    <message id="light_area_rear">
        <source>Rear strip</source>
        <translation>尾部灯带</translation>
    </message>
    <message id="light_area_edge">
        <source>Edge</source>
        <translation>边缘</translation>
    </message>
    <message id="light_area_left_cup">
        <source>Left ear cup</source>
        <translation>左耳罩</translation>
    </message>
    <message id="light_area_right_cup">
        <source>Right ear cup</source>
        <translation>右耳罩</translation>
    </message>
    <message id="light_effect_title">
        <source>Effect</source>
        <translation>灯效</translation>
    </message>
    <message id="light_custom_title">
        <source>Custom group</source>
        <translation>自定义组</translation>
    </message>
    <message id="light_brightness">
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message id="light_speed">
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message id="light_direction">
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message id="light_dir_left">
        <source>Left</source>
        <translation>向左</translation>
    </message>
    <message id="light_dir_right">
        <source>Right</source>
        <translation>向右</translation>
    </message>
    <message id="light_multicolor">
        <source>Multicolour</source>
        <translation>多彩</translation>
    </message>
    <message id="light_colour">
        <source>Colour</source>
        <translation>颜色</translation>
    </message>
    <message id="light_colour_current">
        <source>Current colour</source>
        <translation>当前颜色</translation>
    </message>
    <message id="light_pallet_tip">
        <source>Click or drag to pick a colour</source>
        <translation>点击或拖动选取颜色</translation>
    </message>
    <message id="light_swatch_tip">
        <source>Preset colour</source>
        <translation>预设颜色</translation>
    </message>
    <message id="light_same_mode">
        <source>Sync all devices</source>
        <translation>同步所有设备</translation>
    </message>
    <message id="Light_Set">
        <source>Light settings</source>
        <translation>灯光设置</translation>
    </message>
    <message id="Overall_Light_Set">
        <source>Overall lighting: </source>
        <translation>整体灯光：</translation>
    </message>
    <message id="set_title">
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message id="set_launch_app">
        <source>Start with the desktop session</source>
        <translation>随桌面会话启动</translation>
    </message>
    <message id="set_language">
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message id="GetUpdateInfoText">
        <source>Checking for updates…</source>
        <translation>正在检查更新…</translation>
    </message>
    <message id="HaveUpdateInfoText">
        <source>Updates are available.</source>
        <translation>有可用的更新。</translation>
    </message>
    <message id="NoUpdateInfoText">
        <source>No update information is available.</source>
        <translation>没有可用的更新信息。</translation>
    </message>
    <message id="ISUpdateINGText">
        <source>Downloading updates…</source>
        <translation>正在下载更新…</translation>
    </message>
    <message id="UpdateIsLastText">
        <source>Everything is up to date. Last checked: </source>
        <translation>已是最新版本。上次检查：</translation>
    </message>
    <message id="UpdateUrlNotHttpsText">
        <source>The update server address must start with https://; no check was made.</source>
        <translation>更新服务器地址必须以 https:// 开头，未进行检查。</translation>
    </message>
    <message id="update_col_name">
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message id="update_col_current">
        <source>Installed</source>
        <translation>当前版本</translation>
    </message>
    <message id="update_col_new">
        <source>Available</source>
        <translation>最新版本</translation>
    </message>
    <message id="set_update_btn">
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message id="set_later_btn">
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message id="set_update_confirm">
        <source>Download the ticked updates now?</source>
        <translation>现在下载勾选的更新吗？</translation>
    </message>
    <message id="FirmwareSavedText">
        <source>The firmware for %1 was saved to:
%2</source>
        <translation>%1 的固件已保存到：
%2</translation>
    </message>
</context>
</TS>
