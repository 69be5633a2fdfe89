<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>About</name>
    <message>
        <source>Velquin Plus is a Bluetooth LE device to access your computer, phone or tablet using standard switches. Visit &lt;a href=&quot;https://tarvek.example/velquin-plus&quot;&gt;tarvek.example/velquin-plus&lt;/a&gt; for more information.</source>
        <translation>Velquin Plus es un dispositivo Bluetooth LE para acceder a tu ordenador, teléfono o tableta con pulsadores estándar. Visita &lt;a href=&quot;https://tarvek.example/velquin-plus&quot;&gt;tarvek.example/velquin-plus&lt;/a&gt; para más información.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
</context>
<context>
    <name>Accessibility</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Reading the configuration</source>
        <translation>Leyendo la configuración</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Ratón</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Teclado</translation>
    </message>
    <message>
        <source>Multimedia</source>
        <translation>Multimedia</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Generic</source>
        <translation>Genérico</translation>
    </message>
    <message>
        <source>Switch %1</source>
        <translation>Pulsador %1</translation>
    </message>
    <message>
        <source>Edit switch %1</source>
        <translation>Editar el pulsador %1</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Mouse action</source>
        <translation>Acción del ratón</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Tecla</translation>
    </message>
    <message>
        <source>Multimedia key</source>
        <translation>Tecla multimedia</translation>
    </message>
    <message>
        <source>Joystick action</source>
        <translation>Acción del joystick</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Show generic interface (development)</source>
        <translation>Mostrar la interfaz genérica (desarrollo)</translation>
    </message>
    <message>
        <source>Disable joystick interface</source>
        <translation>Desactivar la interfaz de joystick</translation>
    </message>
    <message>
        <source>Enable joystick interface</source>
        <translation>Activar la interfaz de joystick</translation>
    </message>
    <message>
        <source>Yes, disable joystick interface</source>
        <translation>Sí, desactivar la interfaz de joystick</translation>
    </message>
    <message>
        <source>Yes, enable joystick interface</source>
        <translation>Sí, activar la interfaz de joystick</translation>
    </message>
    <message>
        <source>Using the joystick interface will make iOS devices (such as iPad or iPhone) not recognize Velquin Plus. Are you sure?</source>
        <translation>Con la interfaz de joystick activada, los dispositivos iOS (como el iPad o el iPhone) no reconocerán Velquin Plus. ¿Seguro que quieres continuar?</translation>
    </message>
    <message>
        <source>Restore default configuration</source>
        <translation>Restaurar la configuración de fábrica</translation>
    </message>
    <message>
        <source>Yes, restore default configuration</source>
        <translation>Sí, restaurar la configuración de fábrica</translation>
    </message>
    <message>
        <source>This will restore your Velquin Plus to factory settings, but will keep pairing information. Are you sure?</source>
        <translation>Tu Velquin Plus volverá a la configuración de fábrica, pero se conservará la información de emparejamiento. ¿Seguro que quieres continuar?</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Fw. version</source>
        <translation>Versión de firmware</translation>
    </message>
    <message>
        <source>App version</source>
        <translation>Versión de la aplicación</translation>
    </message>
</context>
<context>
    <name>CctrlCodes</name>
    <message>
        <source>Volume up</source>
        <translation>Subir volumen</translation>
    </message>
    <message>
        <source>Volume down</source>
        <translation>Bajar volumen</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Reproducir/pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Next track</source>
        <translation>Pista siguiente</translation>
    </message>
    <message>
        <source>Previous track</source>
        <translation>Pista anterior</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Fast forward</source>
        <translation>Avance rápido</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>Rebobinar</translation>
    </message>
    <message>
        <source>Menu pick</source>
        <translation>Menú: seleccionar</translation>
    </message>
    <message>
        <source>Menu up</source>
        <translation>Menú: arriba</translation>
    </message>
    <message>
        <source>Menu down</source>
        <translation>Menú: abajo</translation>
    </message>
    <message>
        <source>Menu left</source>
        <translation>Menú: izquierda</translation>
    </message>
    <message>
        <source>Menu right</source>
        <translation>Menú: derecha</translation>
    </message>
    <message>
        <source>Menu escape</source>
        <translation>Menú: salir</translation>
    </message>
    <message>
        <source>Menu value increase</source>
        <translation>Menú: aumentar valor</translation>
    </message>
    <message>
        <source>Menu value decrease</source>
        <translation>Menú: disminuir valor</translation>
    </message>
    <message>
        <source>Closed caption</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>nothing</source>
        <translation>nada</translation>
    </message>
    <message>
        <source>%1 is not a switch entry.</source>
        <translation>%1 no es la entrada de un pulsador.</translation>
    </message>
    <message>
        <source>the interface %1 is unknown.</source>
        <translation>la interfaz %1 es desconocida.</translation>
    </message>
    <message>
        <source>the release mode %1 is unknown.</source>
        <translation>el modo de soltar %1 es desconocido.</translation>
    </message>
    <message>
        <source>the action %1 is unknown.</source>
        <translation>la acción %1 es desconocida.</translation>
    </message>
    <message>
        <source>%1 is %2, not a whole number from 0 to 255.</source>
        <translation>%1 es %2, no un número entero de 0 a 255.</translation>
    </message>
    <message>
        <source>The file is too large for a configuration (more than %1 kB).</source>
        <translation>El archivo es demasiado grande para ser una configuración (más de %1 kB).</translation>
    </message>
    <message>
        <source>The file is damaged or cut short: it cannot be read past byte %1.</source>
        <translation>El archivo está dañado o incompleto: no se puede leer más allá del byte %1.</translation>
    </message>
    <message>
        <source>The file is not a Velquin Plus configuration.</source>
        <translation>El archivo no es una configuración de Velquin Plus.</translation>
    </message>
    <message>
        <source>The file is in format version %1; this app reads version %2.</source>
        <translation>El archivo tiene la versión de formato %1; esta aplicación lee la versión %2.</translation>
    </message>
    <message>
        <source>The file holds %1 switches instead of %2.</source>
        <translation>El archivo contiene %1 pulsadores en lugar de %2.</translation>
    </message>
    <message>
        <source>Switch %1: %2</source>
        <translation>Pulsador %1: %2</translation>
    </message>
    <message>
        <source>The pointer profile is %1, not a number from 0 to %2.</source>
        <translation>El perfil del puntero es %1, no un número de 0 a %2.</translation>
    </message>
    <message>
        <source>The wheel speed is %1, not a number from 0 to 2.</source>
        <translation>La velocidad de la rueda es %1, no un número de 0 a 2.</translation>
    </message>
    <message>
        <source>The joystick setting is %1, not true or false.</source>
        <translation>El ajuste del joystick es %1, no verdadero o falso.</translation>
    </message>
    <message>
        <source>Switch %1: the action is not one this app can show or set.</source>
        <translation>Pulsador %1: la acción no es una que esta aplicación pueda mostrar o configurar.</translation>
    </message>
    <message>
        <source>Switch %1: the device would not keep this action and release mode as they are.</source>
        <translation>Pulsador %1: el dispositivo no conservaría esta acción y este modo de soltar tal como están.</translation>
    </message>
    <message>
        <source>Switches that differ from the file: %1.</source>
        <translation>Pulsadores que difieren del archivo: %1.</translation>
    </message>
    <message>
        <source>The joystick interface differs from the file.</source>
        <translation>La interfaz de joystick difiere del archivo.</translation>
    </message>
    <message>
        <source>Configurations are saved to files on this computer only.</source>
        <translation>Las configuraciones solo se guardan en archivos de este ordenador.</translation>
    </message>
    <message>
        <source>The configuration could not be saved: %1</source>
        <translation>No se pudo guardar la configuración: %1</translation>
    </message>
    <message>
        <source>Configurations are read from files on this computer only.</source>
        <translation>Las configuraciones solo se leen de archivos de este ordenador.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>No se puede leer el archivo: %1</translation>
    </message>
</context>
<context>
    <name>ConfigSwitchUtil</name>
    <message>
        <source>Press/release</source>
        <translation>Presionar/soltar</translation>
    </message>
    <message>
        <source>Press/release right button</source>
        <translation>Presionar/soltar botón derecho</translation>
    </message>
    <message>
        <source>Press/release middle button</source>
        <translation>Presionar/soltar botón central</translation>
    </message>
    <message>
        <source>Double right click</source>
        <translation>Doble clic derecho</translation>
    </message>
    <message>
        <source>Double middle click</source>
        <translation>Doble clic central</translation>
    </message>
    <message>
        <source>Double aux 1 click</source>
        <translation>Doble clic auxiliar 1</translation>
    </message>
    <message>
        <source>Double aux 2 click</source>
        <translation>Doble clic auxiliar 2</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Presionar</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Soltar</translation>
    </message>
    <message>
        <source>Press/Release</source>
        <translation>Presionar/soltar</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Botón</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Tecla</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otro</translation>
    </message>
    <message>
        <source>Release automatically</source>
        <translation>Soltar automáticamente</translation>
    </message>
    <message>
        <source>Stop when released</source>
        <translation>Detener al soltar</translation>
    </message>
    <message>
        <source>Release manually</source>
        <translation>Soltar manualmente</translation>
    </message>
    <message>
        <source>Alternate move/stop</source>
        <translation>Alternar mover/detener</translation>
    </message>
    <message>
        <source>Alternate press/release</source>
        <translation>Alternar presionar/soltar</translation>
    </message>
</context>
<context>
    <name>ConfigurationFiles</name>
    <message>
        <source>Save configuration...</source>
        <translation>Guardar la configuración...</translation>
    </message>
    <message>
        <source>Load configuration...</source>
        <translation>Cargar una configuración...</translation>
    </message>
    <message>
        <source>Print switch sheet...</source>
        <translation>Imprimir la hoja de pulsadores...</translation>
    </message>
    <message>
        <source>The configuration is saved.</source>
        <translation>La configuración está guardada.</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>No se ha cambiado nada.</translation>
    </message>
    <message>
        <source>Choose another file</source>
        <translation>Elegir otro archivo</translation>
    </message>
    <message>
        <source>The device holds the configuration of the file: it was read back and checked.</source>
        <translation>El dispositivo tiene la configuración del archivo: se ha vuelto a leer y comprobar.</translation>
    </message>
    <message>
        <source>After writing, the device&apos;s configuration differs from the file.</source>
        <translation>Después de escribirla, la configuración del dispositivo difiere del archivo.</translation>
    </message>
    <message>
        <source>What each switch does</source>
        <translation>Qué hace cada pulsador</translation>
    </message>
    <message>
        <source>Velquin Plus %1, printed on %2</source>
        <translation>Velquin Plus %1, impreso el %2</translation>
    </message>
    <message>
        <source>The switch sheet is saved; no program was found to show it.</source>
        <translation>La hoja de pulsadores está guardada; no se ha encontrado ningún programa para mostrarla.</translation>
    </message>
    <message>
        <source>The device went away before its configuration could be checked.</source>
        <translation>El dispositivo se desconectó antes de poder comprobar su configuración.</translation>
    </message>
    <message>
        <source>Save configuration</source>
        <translation>Guardar la configuración</translation>
    </message>
    <message>
        <source>Velquin Plus configurations (*.velquin)</source>
        <translation>Configuraciones de Velquin Plus (*.velquin)</translation>
    </message>
    <message>
        <source>Load configuration</source>
        <translation>Cargar una configuración</translation>
    </message>
    <message>
        <source>Print switch sheet</source>
        <translation>Imprimir la hoja de pulsadores</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>Documentos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Write this configuration to the device? It replaces what every switch does now.</source>
        <translation>¿Escribir esta configuración en el dispositivo? Sustituye lo que hace ahora cada pulsador.</translation>
    </message>
    <message>
        <source>Yes, write it to the device</source>
        <translation>Sí, escribirla en el dispositivo</translation>
    </message>
    <message>
        <source>Saved on %1 from Velquin Plus %2</source>
        <translation>Guardada el %1 desde Velquin Plus %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>DeviceConfiguration</name>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Switches</source>
        <translation>Pulsadores</translation>
    </message>
    <message>
        <source>Mouse movement</source>
        <translation>Movimiento del ratón</translation>
    </message>
    <message>
        <source>Pointer</source>
        <translation>Puntero</translation>
    </message>
    <message>
        <source>Constant speed (slow)</source>
        <translation>Velocidad constante (lenta)</translation>
    </message>
    <message>
        <source>Constant speed (fast)</source>
        <translation>Velocidad constante (rápida)</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Acelerar</translation>
    </message>
    <message>
        <source>Accelerate, decelerate</source>
        <translation>Acelerar y frenar</translation>
    </message>
    <message>
        <source>Wheel</source>
        <translation>Rueda</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lenta</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rápida</translation>
    </message>
</context>
<context>
    <name>DeviceProblem</name>
    <message>
        <source>Velquin Plus is paired but this app may not open it.</source>
        <translation>Velquin Plus está emparejado, pero esta aplicación no tiene permiso para abrirlo.</translation>
    </message>
    <message>
        <source>Velquin Plus is paired but not connected. Switch it off and on.</source>
        <translation>Velquin Plus está emparejado, pero no conectado. Apágalo y vuelve a encenderlo.</translation>
    </message>
    <message>
        <source>Allow access...</source>
        <translation>Permitir el acceso...</translation>
    </message>
    <message>
        <source>Commands copied</source>
        <translation>Órdenes copiadas</translation>
    </message>
    <message>
        <source>Copy commands</source>
        <translation>Copiar las órdenes</translation>
    </message>
</context>
<context>
    <name>DiagnosticsReport</name>
    <message>
        <source>Diagnostics copied</source>
        <translation>Diagnóstico copiado</translation>
    </message>
    <message>
        <source>Copy diagnostics</source>
        <translation>Copiar el diagnóstico</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and start blinking.</source>
        <translation>Enciende Velquin Plus pulsando el botón lateral. El LED se encenderá durante 1 s y empezará a parpadear.</translation>
    </message>
    <message>
        <source>Launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices.</source>
        <translation>Abre Inicio &gt; Configuración &gt; Dispositivos &gt; Bluetooth y otros dispositivos.</translation>
    </message>
    <message>
        <source>Select Add Bluetooth or other device &gt; Bluetooth.</source>
        <translation>Selecciona Agregar Bluetooth u otro dispositivo &gt; Bluetooth.</translation>
    </message>
    <message>
        <source>Launch Android Bluetooth settings and tap on &apos;Pair new device&apos;.</source>
        <translation>Abre los ajustes de Bluetooth de Android y toca «Vincular nuevo dispositivo».</translation>
    </message>
    <message>
        <source>Launch Bluetooth settings and select &apos;Pair new device&apos;.</source>
        <translation>Abre los ajustes de Bluetooth y selecciona «Vincular nuevo dispositivo».</translation>
    </message>
    <message>
        <source>When &apos;Velquin Plus&apos; shows up on the list, select it.</source>
        <translation>Cuando «Velquin Plus» aparezca en la lista, selecciónalo.</translation>
    </message>
    <message>
        <source>Switch Velquin Plus on by pushing the side button. The LED will turn on for 1s and then off</source>
        <translation>Enciende Velquin Plus pulsando el botón lateral. El LED se encenderá durante 1 s y luego se apagará.</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Start &gt; Settings &gt; Devices &gt; Bluetooth &amp; other devices and click on &apos;Velquin Plus&apos;.</source>
        <translation>Si no se conecta automáticamente, abre Inicio &gt; Configuración &gt; Dispositivos &gt; Bluetooth y otros dispositivos y haz clic en «Velquin Plus».</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Android Bluetooth settings and tap on &apos;Velquin Plus&apos;.</source>
        <translation>Si no se conecta automáticamente, abre los ajustes de Bluetooth de Android y toca «Velquin Plus».</translation>
    </message>
    <message>
        <source>If it does not connect automatically, launch Bluetooth settings and select &apos;Velquin Plus&apos;.</source>
        <translation>Si no se conecta automáticamente, abre los ajustes de Bluetooth y selecciona «Velquin Plus».</translation>
    </message>
    <message>
        <source>If it fails to connect, make sure Velquin Plus is not already connected to another device (e.g. a computer).</source>
        <translation>Si no consigue conectarse, comprueba que Velquin Plus no esté ya conectado a otro dispositivo (por ejemplo, un ordenador).</translation>
    </message>
    <message>
        <source>How to connect Velquin Plus</source>
        <translation>Cómo conectar Velquin Plus</translation>
    </message>
    <message>
        <source>Have you paired Velquin Plus to this device before?</source>
        <translation>¿Has emparejado antes Velquin Plus con este dispositivo?</translation>
    </message>
    <message>
        <source>No, this is the first time I use Velquin Plus on this device, or I unpaired it.</source>
        <translation>No, es la primera vez que uso Velquin Plus en este dispositivo, o lo he desemparejado.</translation>
    </message>
    <message>
        <source>Yes, Velquin Plus is paired.</source>
        <translation>Sí, Velquin Plus está emparejado.</translation>
    </message>
</context>
<context>
    <name>KeybdCodes</name>
    <message>
        <source>(Empty)</source>
        <translation>(Ninguna)</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Coma</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Punto</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Bloq Mayús</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulador</translation>
    </message>
    <message>
        <source>Backspace</source>
        <translation>Retroceso</translation>
    </message>
    <message>
        <source>Print Screen</source>
        <translation>Impr Pant</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Av Pág</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Re Pág</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supr</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Arrow Right</source>
        <translation>Flecha derecha</translation>
    </message>
    <message>
        <source>Arrow Left</source>
        <translation>Flecha izquierda</translation>
    </message>
    <message>
        <source>Arrow Down</source>
        <translation>Flecha abajo</translation>
    </message>
    <message>
        <source>Arrow Up</source>
        <translation>Flecha arriba</translation>
    </message>
</context>
<context>
    <name>PleaseConnect</name>
    <message>
        <source>Connect your</source>
        <translation>Conecta tu</translation>
    </message>
    <message>
        <source>Do you need help to connect Velquin Plus to this </source>
        <translation>¿Necesitas ayuda para conectar Velquin Plus a este </translation>
    </message>
    <message>
        <source>device</source>
        <translation>dispositivo</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>ordenador</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
</context>
<context>
    <name>SwitchConfiguration</name>
    <message>
        <source>Switch</source>
        <translation>Pulsador</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Leyendo</translation>
    </message>
    <message>
        <source>Action type</source>
        <translation>Tipo de acción</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Ratón</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Teclado</translation>
    </message>
    <message>
        <source>Multim.</source>
        <translation>Multim.</translation>
    </message>
    <message>
        <source>Multimedia</source>
        <translation>Multimedia</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Joystick</translation>
    </message>
    <message>
        <source>Generic</source>
        <translation>Genérico</translation>
    </message>
    <message>
        <source>Left button</source>
        <translation>Botón izquierdo</translation>
    </message>
    <message>
        <source>Right button</source>
        <translation>Botón derecho</translation>
    </message>
    <message>
        <source>Middle button</source>
        <translation>Botón central</translation>
    </message>
    <message>
        <source>Aux button 1</source>
        <translation>Botón auxiliar 1</translation>
    </message>
    <message>
        <source>Aux button 2</source>
        <translation>Botón auxiliar 2</translation>
    </message>
    <message>
        <source>Double click</source>
        <translation>Doble clic</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Mover hacia arriba</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Mover hacia abajo</translation>
    </message>
    <message>
        <source>Move left</source>
        <translation>Mover a la izquierda</translation>
    </message>
    <message>
        <source>Move right</source>
        <translation>Mover a la derecha</translation>
    </message>
    <message>
        <source>Wheel up</source>
        <translation>Rueda hacia arriba</translation>
    </message>
    <message>
        <source>Wheel down</source>
        <translation>Rueda hacia abajo</translation>
    </message>
    <message>
        <source>Modifiers</source>
        <translation>Modificadores</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Mayús</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>GUI</source>
        <translation>GUI</translation>
    </message>
    <message>
        <source>AltGr</source>
        <translation>AltGr</translation>
    </message>
    <message>
        <source>Button 1</source>
        <translation>Botón 1</translation>
    </message>
    <message>
        <source>Button 2</source>
        <translation>Botón 2</translation>
    </message>
    <message>
        <source>Button 3</source>
        <translation>Botón 3</translation>
    </message>
    <message>
        <source>Button 4</source>
        <translation>Botón 4</translation>
    </message>
    <message>
        <source>Button 5</source>
        <translation>Botón 5</translation>
    </message>
    <message>
        <source>Button 6</source>
        <translation>Botón 6</translation>
    </message>
    <message>
        <source>Button 7</source>
        <translation>Botón 7</translation>
    </message>
    <message>
        <source>Button 8</source>
        <translation>Botón 8</translation>
    </message>
    <message>
        <source>Event 1</source>
        <translation>Evento 1</translation>
    </message>
    <message>
        <source>Event 2</source>
        <translation>Evento 2</translation>
    </message>
    <message>
        <source>Event 3</source>
        <translation>Evento 3</translation>
    </message>
    <message>
        <source>Event 4</source>
        <translation>Evento 4</translation>
    </message>
    <message>
        <source>Event 5</source>
        <translation>Evento 5</translation>
    </message>
    <message>
        <source>Event 6</source>
        <translation>Evento 6</translation>
    </message>
    <message>
        <source>Event 7</source>
        <translation>Evento 7</translation>
    </message>
    <message>
        <source>Event 8</source>
        <translation>Evento 8</translation>
    </message>
    <message>
        <source>Release automatically</source>
        <translation>Soltar automáticamente</translation>
    </message>
    <message>
        <source>When you activate the switch, the key will be pressed and released automatically.</source>
        <translation>Al activar el pulsador, la tecla se presionará y se soltará automáticamente.</translation>
    </message>
    <message>
        <source>When you activate the switch, the button will be pressed and released automatically.</source>
        <translation>Al activar el pulsador, el botón se presionará y se soltará automáticamente.</translation>
    </message>
    <message>
        <source>Stop when released</source>
        <translation>Detener al soltar</translation>
    </message>
    <message>
        <source>Release manually</source>
        <translation>Soltar manualmente</translation>
    </message>
    <message>
        <source>The key will remain pressed until you release the switch.</source>
        <translation>La tecla seguirá presionada hasta que sueltes el pulsador.</translation>
    </message>
    <message>
        <source>The button will remain pressed until you release the switch.</source>
        <translation>El botón seguirá presionado hasta que sueltes el pulsador.</translation>
    </message>
    <message>
        <source>The mouse pointer will keep moving until you release the switch.</source>
        <translation>El puntero del ratón seguirá moviéndose hasta que sueltes el pulsador.</translation>
    </message>
    <message>
        <source>The joystick will keep moving until you release the switch.</source>
        <translation>El joystick seguirá moviéndose hasta que sueltes el pulsador.</translation>
    </message>
    <message>
        <source>Alternate move/stop</source>
        <translation>Alternar mover/detener</translation>
    </message>
    <message>
        <source>Alternate press/release</source>
        <translation>Alternar presionar/soltar</translation>
    </message>
    <message>
        <source>The first activation of the switch will keep the key pressed, and the next one will release it.</source>
        <translation>La primera activación del pulsador mantendrá la tecla presionada y la siguiente la soltará.</translation>
    </message>
    <message>
        <source>The first activation of the switch will keep the button pressed, and the next one will release it.</source>
        <translation>La primera activación del pulsador mantendrá el botón presionado y la siguiente lo soltará.</translation>
    </message>
    <message>
        <source>The first activation of the switch will make the pointer start moving, and the next one will stop it.</source>
        <translation>La primera activación del pulsador pondrá en movimiento el puntero y la siguiente lo detendrá.</translation>
    </message>
    <message>
        <source>The first activation of the switch will make the joystick start moving, and the next one will stop it.</source>
        <translation>La primera activación del pulsador pondrá en movimiento el joystick y la siguiente lo detendrá.</translation>
    </message>
</context>
<context>
    <name>SwitchSheet</name>
    <message>
        <source>The switch sheet could not be written to %1.</source>
        <translation>No se pudo escribir la hoja de pulsadores en %1.</translation>
    </message>
    <message>
        <source>The switch sheet is saved to files on this computer only.</source>
        <translation>La hoja de pulsadores solo se guarda en archivos de este ordenador.</translation>
    </message>
</context>
<context>
    <name>YesCancelDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
</TS>
