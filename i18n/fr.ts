<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>About</name>
    <message>
        <source>Velquin Plus is a Bluetooth LE device to access your computer, phone or tablet using standard switches. Visit &lt;a href=&quot;https://tarvek.example/velquin-plus&quot;&gt;tarvek.example/velquin-plus&lt;/a&gt; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show generic interface (development)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable joystick interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable joystick interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, disable joystick interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, enable joystick interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore default configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, restore default configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will restore your Velquin Plus to factory settings, but will keep pairing information. Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fw. version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>App version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CctrlCodes</name>
    <message>
        <source>Volume up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fast forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu pick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu escape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu value increase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu value decrease</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closed caption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigSwitchUtil</name>
    <message>
        <source>Move right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wheel up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press/release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press/release right button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press/release middle button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aux button 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aux button 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double right click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double middle click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double aux 1 click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double aux 2 click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GUI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AltGr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press/Release</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop when released</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release manually</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alternate move/stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alternate press/release</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and start blinking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Add Bluetooth or other device &gt; Bluetooth.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Android Bluetooth settings and tap on &apos;Pair new device&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Bluetooth settings and select &apos;Pair new device&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When &apos;Velquin Plus&apos; shows up on the list, select it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and then off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices and click on &apos;Velquin Plus&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Android Bluetooth settings and tap on &apos;Velquin Plus&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Bluetooth settings and select &apos;Velquin Plus&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If it fails to connect, make sure Velquin Plus is not already connected to another device (e.g. a computer).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to connect Velquin Plus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have you paired Velquin Plus to this device before?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No, this is the first time I use Velquin Plus on this device, or I unpaired it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, Velquin Plus is paired.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeybdCodes</name>
    <message>
        <source>(Empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrow Up</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PleaseConnect</name>
    <message>
        <source>Connect your</source>
        <translation>Connectez votre</translation>
    </message>
    <message>
        <source>Do you need help to connect Velquin Plus to this </source>
        <translation>Avez-vous besoin d’aide pour connecter Velquin Plus à cet </translation>
    </message>
    <message>
        <source>device</source>
        <translation>appareil</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>ordinateur</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>YesCancelDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>
