<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>TKVAliasDialog</name>
    <message>
        <source>Registrar origen de datos</source>
        <translation>Register data source</translation>
    </message>
    <message>
        <source>Nombre (alias):</source>
        <translation>Name (alias):</translation>
    </message>
    <message>
        <source>Tipo:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>Ubicación:</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>Archivo SQLite</source>
        <translation>SQLite file</translation>
    </message>
    <message>
        <source>Carpeta de archivos CSV</source>
        <translation>Folder of CSV files</translation>
    </message>
    <message>
        <source>Servidor PostgreSQL (URL)</source>
        <translation>PostgreSQL server (URL)</translation>
    </message>
    <message>
        <source>Examinar…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>por ejemplo: clientes</source>
        <translation>for example: customers</translation>
    </message>
    <message>
        <source>Bases de datos SQLite (*.db *.sqlite *.sqlite3);;Todos (*)</source>
        <translation>SQLite databases (*.db *.sqlite *.sqlite3);;All files (*)</translation>
    </message>
    <message>
        <source>No existe el archivo %1.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>No existe la carpeta %1.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>Una URL de PostgreSQL empieza por postgresql://</source>
        <translation>A PostgreSQL URL starts with postgresql://</translation>
    </message>
</context>
<context>
    <name>TKVDesignerWindow</name>
    <message>
        <source>&amp;Deshacer</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Deshacer el último cambio del diseño</source>
        <translation>Undo the last change to the design</translation>
    </message>
    <message>
        <source>&amp;Rehacer</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Rehacer el cambio deshecho</source>
        <translation>Redo the change undone</translation>
    </message>
    <message>
        <source>Seleccionar t&amp;odo</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>Ali&amp;near y distribuir</source>
        <translation>Ali&amp;gn and distribute</translation>
    </message>
    <message>
        <source>Alineación</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>Alinear bordes izquierdos</source>
        <translation>Align left edges</translation>
    </message>
    <message>
        <source>Alinear los bordes izquierdos (una sola: al borde de la etiqueta)</source>
        <translation>Align the left edges (one element: to the label's edge)</translation>
    </message>
    <message>
        <source>Centrar en horizontal</source>
        <translation>Centre horizontally</translation>
    </message>
    <message>
        <source>Alinear los centros en horizontal</source>
        <translation>Align the centres horizontally</translation>
    </message>
    <message>
        <source>Alinear bordes derechos</source>
        <translation>Align right edges</translation>
    </message>
    <message>
        <source>Alinear los bordes derechos</source>
        <translation>Align the right edges</translation>
    </message>
    <message>
        <source>Alinear bordes superiores</source>
        <translation>Align top edges</translation>
    </message>
    <message>
        <source>Alinear los bordes superiores</source>
        <translation>Align the top edges</translation>
    </message>
    <message>
        <source>Centrar en vertical</source>
        <translation>Centre vertically</translation>
    </message>
    <message>
        <source>Alinear los centros en vertical</source>
        <translation>Align the centres vertically</translation>
    </message>
    <message>
        <source>Alinear bordes inferiores</source>
        <translation>Align bottom edges</translation>
    </message>
    <message>
        <source>Alinear los bordes inferiores</source>
        <translation>Align the bottom edges</translation>
    </message>
    <message>
        <source>Distribuir en horizontal</source>
        <translation>Distribute horizontally</translation>
    </message>
    <message>
        <source>Espacios iguales entre los elementos, de izquierda a derecha</source>
        <translation>Equal gaps between the elements, left to right</translation>
    </message>
    <message>
        <source>Distribuir en vertical</source>
        <translation>Distribute vertically</translation>
    </message>
    <message>
        <source>Espacios iguales entre los elementos, de arriba abajo</source>
        <translation>Equal gaps between the elements, top to bottom</translation>
    </message>
    <message>
        <source>Centrar en la etiqueta</source>
        <translation>Centre on the label</translation>
    </message>
    <message>
        <source>Llevar la selección al centro de la etiqueta</source>
        <translation>Move the selection to the middle of the label</translation>
    </message>
    <message>
        <source>Diseño de la etiqueta</source>
        <translation>Label design</translation>
    </message>
    <message>
        <source>Flechas: mover 0,1 mm (Mayús: 1 mm); Supr: borrar; Tab: siguiente elemento; Intro: colocar con la herramienta elegida</source>
        <translation>Arrows: move 0.1 mm (Shift: 1 mm); Delete: delete; Tab: next element; Enter: place with the chosen tool</translation>
    </message>
    <message>
        <source>¿Borrar todos los elementos de la etiqueta?</source>
        <translation>Delete every element of the label?</translation>
    </message>
    <message>
        <source>x %1 mm   y %2 mm</source>
        <translation>x %1 mm   y %2 mm</translation>
    </message>
    <message>
        <source>Sin datos</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Datos: %1</source>
        <translation>Data: %1</translation>
    </message>
    <message>
        <source>Datos: %1 (no disponible)</source>
        <translation>Data: %1 (not available)</translation>
    </message>
    <message>
        <source>Sin título</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Abierto %1</source>
        <translation>Opened %1</translation>
    </message>
    <message>
        <source>etiqueta</source>
        <translation>label</translation>
    </message>
    <message>
        <source>Guardado %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>El archivo ya no existe:
%1</source>
        <translation>The file no longer exists:
%1</translation>
    </message>
    <message>
        <source>(ninguno)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>&amp;Vaciar la lista</source>
        <translation>&amp;Clear the list</translation>
    </message>
    <message>
        <source>(no se encuentran los ejemplos)</source>
        <translation>(the examples are not found)</translation>
    </message>
    <message>
        <source>%1 etiquetas en %2 páginas enviadas a %3</source>
        <translation>%1 labels on %2 pages sent to %3</translation>
    </message>
    <message>
        <source>%1.

¿Imprimir %2 copias de la etiqueta sin datos?</source>
        <translation>%1.

Print %2 copies of the label without data?</translation>
    </message>
    <message>
        <source>Origen de datos «%1»: %2</source>
        <translation>Data source “%1”: %2</translation>
    </message>
    <message>
        <source>(ninguno registrado)</source>
        <translation>(none registered)</translation>
    </message>
    <message>
        <source>Abrir diseño</source>
        <translation>Open design</translation>
    </message>
    <message>
        <source>Diseños de etiquetas (*.lab);;Todos los archivos (*)</source>
        <translation>Label designs (*.lab);;All files (*)</translation>
    </message>
    <message>
        <source>Guardar diseño</source>
        <translation>Save design</translation>
    </message>
    <message>
        <source>Diseños de etiquetas (*.lab)</source>
        <translation>Label designs (*.lab)</translation>
    </message>
    <message>
        <source>KVLab Designer</source>
        <translation>KVLab Designer</translation>
    </message>
    <message>
        <source>El diseño «%1» tiene cambios sin guardar.</source>
        <translation>The design “%1” has unsaved changes.</translation>
    </message>
    <message>
        <source>¿Desea guardar los cambios?</source>
        <translation>Do you want to save them?</translation>
    </message>
    <message>
        <source>Guardar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>No guardar</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Imprimir etiquetas</source>
        <translation>Print labels</translation>
    </message>
    <message>
        <source>&lt;b&gt;KVLab Designer&lt;/b&gt;&lt;p&gt;Diseño e impresión de hojas de etiquetas con la biblioteca KVLab.&lt;/p&gt;&lt;p&gt;Ejemplos: %1&lt;/p&gt;</source>
        <translation>&lt;b&gt;KVLab Designer&lt;/b&gt;&lt;p&gt;Designs and prints sheets of labels with the KVLab library.&lt;/p&gt;&lt;p&gt;Examples: %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Acerca de KVLab Designer</source>
        <translation>About KVLab Designer</translation>
    </message>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Abrir &amp;reciente</source>
        <translation>Open &amp;recent</translation>
    </message>
    <message>
        <source>&amp;Ejemplos</source>
        <translation>E&amp;xamples</translation>
    </message>
    <message>
        <source>&amp;Edición</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Dibujo</source>
        <translation>&amp;Draw</translation>
    </message>
    <message>
        <source>&amp;Ver</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Eti&amp;queta</source>
        <translation>&amp;Label</translation>
    </message>
    <message>
        <source>Da&amp;tos</source>
        <translation>Da&amp;ta</translation>
    </message>
    <message>
        <source>&amp;Quitar origen de datos</source>
        <translation>&amp;Remove data source</translation>
    </message>
    <message>
        <source>&amp;Idioma</source>
        <translation>Lan&amp;guage</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Archivo</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Herramientas de dibujo</source>
        <translation>Drawing tools</translation>
    </message>
    <message>
        <source>Elemento</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>&amp;Nuevo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Etiqueta nueva, vacía, sobre la misma hoja</source>
        <translation>A new, empty label on the same sheet</translation>
    </message>
    <message>
        <source>&amp;Abrir…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>Abrir un diseño de etiqueta (.lab)</source>
        <translation>Open a label design (.lab)</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Guardar el diseño</source>
        <translation>Save the design</translation>
    </message>
    <message>
        <source>Guardar &amp;como…</source>
        <translation>Save &amp;as…</translation>
    </message>
    <message>
        <source>&amp;Vista preliminar</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>Ver las hojas tal como se imprimirán</source>
        <translation>See the sheets as they will print</translation>
    </message>
    <message>
        <source>&amp;Imprimir…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>Elegir la impresora e imprimir las etiquetas</source>
        <translation>Choose the printer and print the labels</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Cor&amp;tar</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Copiar el elemento seleccionado</source>
        <translation>Copy the selected element</translation>
    </message>
    <message>
        <source>&amp;Pegar</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Pegar una copia del elemento copiado, 2 mm más abajo y a la derecha</source>
        <translation>Paste a copy of the copied element, 2 mm lower and to the right</translation>
    </message>
    <message>
        <source>&amp;Borrar</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Borrar el elemento seleccionado</source>
        <translation>Delete the selected element</translation>
    </message>
    <message>
        <source>Borrar &amp;todo</source>
        <translation>Delete &amp;all</translation>
    </message>
    <message>
        <source>Traer &amp;delante</source>
        <translation>Bring to &amp;front</translation>
    </message>
    <message>
        <source>Poner el elemento delante de todos</source>
        <translation>Put the element in front of all others</translation>
    </message>
    <message>
        <source>Enviar &amp;atrás</source>
        <translation>Send to &amp;back</translation>
    </message>
    <message>
        <source>Poner el elemento detrás de todos</source>
        <translation>Put the element behind all others</translation>
    </message>
    <message>
        <source>Alinear a la &amp;izquierda</source>
        <translation>Align &amp;left</translation>
    </message>
    <message>
        <source>Llevar el elemento a la línea de alineación izquierda</source>
        <translation>Move the element onto the left alignment line</translation>
    </message>
    <message>
        <source>Alinear a&amp;rriba</source>
        <translation>Align &amp;top</translation>
    </message>
    <message>
        <source>Llevar el elemento a la línea de alineación superior</source>
        <translation>Move the element onto the top alignment line</translation>
    </message>
    <message>
        <source>T&amp;ransparente</source>
        <translation>T&amp;ransparent</translation>
    </message>
    <message>
        <source>Dibujar el elemento sin fondo</source>
        <translation>Draw the element without a background</translation>
    </message>
    <message>
        <source>Propi&amp;edades del elemento…</source>
        <translation>Element p&amp;roperties…</translation>
    </message>
    <message>
        <source>Propiedades del elemento seleccionado</source>
        <translation>Properties of the selected element</translation>
    </message>
    <message>
        <source>&amp;Tamaño y hoja…</source>
        <translation>&amp;Size and sheet…</translation>
    </message>
    <message>
        <source>Propiedades de la etiqueta: tamaño, papel y distribución</source>
        <translation>Label properties: size, paper and layout</translation>
    </message>
    <message>
        <source>&amp;Impresión…</source>
        <translation>&amp;Printing…</translation>
    </message>
    <message>
        <source>Propiedades de la etiqueta: número de etiquetas y primera posición</source>
        <translation>Label properties: number of labels and first position</translation>
    </message>
    <message>
        <source>&amp;Fondo, rejilla y marco…</source>
        <translation>&amp;Background, grid and frame…</translation>
    </message>
    <message>
        <source>Propiedades de la etiqueta: fondo, rejilla, marco y alineación</source>
        <translation>Label properties: background, grid, frame and alignment</translation>
    </message>
    <message>
        <source>&amp;Datos de la etiqueta…</source>
        <translation>Label &amp;data…</translation>
    </message>
    <message>
        <source>Propiedades de la etiqueta: tabla y filtro de los datos</source>
        <translation>Label properties: the data&apos;s table and filter</translation>
    </message>
    <message>
        <source>&amp;Selección</source>
        <translation>&amp;Selection</translation>
    </message>
    <message>
        <source>Seleccionar, mover y cambiar de tamaño los elementos</source>
        <translation>Select, move and resize elements</translation>
    </message>
    <message>
        <source>&amp;Texto</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>Texto: pulse en la etiqueta para colocarlo</source>
        <translation>Text: click on the label to place it</translation>
    </message>
    <message>
        <source>Texto &amp;compuesto</source>
        <translation>&amp;Composite text</translation>
    </message>
    <message>
        <source>Texto compuesto (prefijo, texto, sufijo): pulse en la etiqueta</source>
        <translation>Composite text (prefix, text, suffix): click on the label</translation>
    </message>
    <message>
        <source>&amp;Párrafo</source>
        <translation>&amp;Paragraph</translation>
    </message>
    <message>
        <source>Párrafo: arrastre para dibujar su rectángulo</source>
        <translation>Paragraph: drag to draw its rectangle</translation>
    </message>
    <message>
        <source>Código de &amp;barras</source>
        <translation>&amp;Barcode</translation>
    </message>
    <message>
        <source>Código de barras: pulse en la etiqueta para colocarlo</source>
        <translation>Barcode: click on the label to place it</translation>
    </message>
    <message>
        <source>S&amp;ímbolo</source>
        <translation>Sy&amp;mbol</translation>
    </message>
    <message>
        <source>Símbolo: pulse en la etiqueta para colocarlo</source>
        <translation>Symbol: click on the label to place it</translation>
    </message>
    <message>
        <source>&amp;Línea</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>Línea: arrastre de un extremo al otro</source>
        <translation>Line: drag from one end to the other</translation>
    </message>
    <message>
        <source>&amp;Rectángulo</source>
        <translation>&amp;Rectangle</translation>
    </message>
    <message>
        <source>Rectángulo: arrastre de una esquina a la opuesta</source>
        <translation>Rectangle: drag from one corner to the opposite one</translation>
    </message>
    <message>
        <source>&amp;Imagen</source>
        <translation>&amp;Image</translation>
    </message>
    <message>
        <source>Imagen: arrastre para dibujar su rectángulo y elija el archivo</source>
        <translation>Image: drag to draw its rectangle, then choose the file</translation>
    </message>
    <message>
        <source>&amp;Acercar</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>A&amp;lejar</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Tamaño real</source>
        <translation>&amp;Actual size</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>&amp;Registrar origen de datos…</source>
        <translation>&amp;Register data source…</translation>
    </message>
    <message>
        <source>Dar nombre a un archivo SQLite, una carpeta CSV o una base PostgreSQL</source>
        <translation>Name a SQLite file, a CSV folder or a PostgreSQL database</translation>
    </message>
    <message>
        <source>&amp;Acerca de KVLab Designer</source>
        <translation>&amp;About KVLab Designer</translation>
    </message>
    <message>
        <source>Registros</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Primer registro</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Registro anterior</source>
        <translation>Previous record</translation>
    </message>
    <message>
        <source>Registro siguiente</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Último registro</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Nombres de campo</source>
        <translation>Field names</translation>
    </message>
    <message>
        <source>Mostrar los nombres de los campos en lugar de los datos del registro</source>
        <translation>Show the field names instead of the record&apos;s data</translation>
    </message>
    <message>
        <source>Registro mostrado en la etiqueta</source>
        <translation>The record the label shows</translation>
    </message>
    <message>
        <source>Registro mostrado</source>
        <translation>Record shown</translation>
    </message>
    <message>
        <source>Co&amp;mprobar…</source>
        <translation>Chec&amp;k…</translation>
    </message>
    <message>
        <source>Comprobar toda la tirada antes de imprimirla</source>
        <translation>Check the whole run before printing it</translation>
    </message>
    <message>
        <source>de %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>sin registros</source>
        <translation>no records</translation>
    </message>
    <message>
        <source>Imprimir &amp;hoja de prueba…</source>
        <translation>Print &amp;test sheet…</translation>
    </message>
    <message>
        <source>Imprimir solo el contorno de cada etiqueta de una hoja, para ponerla sobre una hoja de etiquetas</source>
        <translation>Print only the outline of every label of one sheet, to hold against a sheet of labels</translation>
    </message>
    <message>
        <source>Calibrar i&amp;mpresora…</source>
        <translation>Cali&amp;brate printer…</translation>
    </message>
    <message>
        <source>Corregir cuánto desplaza o escala la impresora lo que imprime</source>
        <translation>Correct how far the printer moves or scales what it prints</translation>
    </message>
    <message>
        <source>Hoja de prueba de %1 etiquetas enviada a %2</source>
        <translation>Test sheet of %1 labels sent to %2</translation>
    </message>
</context>
<context>
    <name>TKVHostData</name>
    <message>
        <source>El origen de datos necesita un nombre.</source>
        <translation>The data source needs a name.</translation>
    </message>
    <message>
        <source>Indique un archivo, una carpeta o una URL.</source>
        <translation>Give a file, a folder or a URL.</translation>
    </message>
</context>
<context>
    <name>TKVCheckDialog</name>
    <message>
        <source>Comprobación de la tirada</source>
        <translation>Check of the run</translation>
    </message>
    <message>
        <source>Problemas</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>Imprimir igualmente</source>
        <translation>Print all the same</translation>
    </message>
</context>
<context>
    <name>TKVCalibrationDialog</name>
    <message>
        <source>Calibrar impresora</source>
        <translation>Calibrate printer</translation>
    </message>
    <message>
        <source>Imprima la hoja de prueba y póngala sobre una hoja de etiquetas a contraluz. Si los contornos caen a la derecha o abajo de las etiquetas, escriba cuánto con signo menos; a la izquierda o arriba, con signo más. Vuelva a imprimirla hasta que coincidan.</source>
        <translation>Print the test sheet and hold it against a sheet of labels in front of a light. If the outlines fall to the right of or below the labels, type by how much with a minus sign; to the left or above, with a plus sign. Print it again until they match.</translation>
    </message>
    <message>
        <source>Impresora:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>Desplazamiento horizontal (+ a la derecha):</source>
        <translation>Horizontal offset (+ to the right):</translation>
    </message>
    <message>
        <source>Desplazamiento vertical (+ hacia abajo):</source>
        <translation>Vertical offset (+ downwards):</translation>
    </message>
    <message>
        <source>Escala horizontal:</source>
        <translation>Horizontal scale:</translation>
    </message>
    <message>
        <source>Escala vertical:</source>
        <translation>Vertical scale:</translation>
    </message>
    <message>
        <source>Imprimir hoja de prueba</source>
        <translation>Print test sheet</translation>
    </message>
    <message>
        <source>No hay ninguna impresora llamada «%1».</source>
        <translation>There is no printer called “%1”.</translation>
    </message>
</context>
</TS>
