<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>KVStrings</name>
    <message>
        <source>KvEnC4</source>
        <extracomment>65424 &quot;Sobre C4&quot;</extracomment>
        <translation>Envelope C4</translation>
    </message>
    <message>
        <source>KvEnC6</source>
        <extracomment>65425 &quot;Sobre C6&quot;</extracomment>
        <translation>Envelope C6</translation>
    </message>
    <message>
        <source>KvEnC65</source>
        <extracomment>65426 &quot;Sobre C65&quot;</extracomment>
        <translation>Envelope C65</translation>
    </message>
    <message>
        <source>KvEnB5</source>
        <extracomment>65427 &quot;Sobre B5&quot;</extracomment>
        <translation>Envelope B5</translation>
    </message>
    <message>
        <source>KvEnB4</source>
        <extracomment>65428 &quot;Sobre B4&quot;</extracomment>
        <translation>Envelope B4</translation>
    </message>
    <message>
        <source>KvEnB6</source>
        <extracomment>65429 &quot;Sobre B6&quot;</extracomment>
        <translation>Envelope B6</translation>
    </message>
    <message>
        <source>KvEnInv</source>
        <extracomment>65430 &quot;Sobre Invite&quot;</extracomment>
        <translation>Envelope Invite</translation>
    </message>
    <message>
        <source>KvNoTable</source>
        <extracomment>65431 &quot;Base de Datos no encontrado&quot;</extracomment>
        <translation>Database not found</translation>
    </message>
    <message>
        <source>KvAddTextPro</source>
        <extracomment>65440 &quot;Propiedades Texto Compuesto&quot;</extracomment>
        <translation>Composite Text Properties</translation>
    </message>
    <message>
        <source>KvSymbolPro</source>
        <extracomment>65441 &quot;Propiedades Símbolo&quot;</extracomment>
        <translation>Symbol Properties</translation>
    </message>
    <message>
        <source>KvParaPro</source>
        <extracomment>65442 &quot;Propiedades Párrafo&quot;</extracomment>
        <translation>Paragraph Properties</translation>
    </message>
    <message>
        <source>KvRecPro</source>
        <extracomment>65443 &quot;Propiedades Rectangulo&quot;</extracomment>
        <translation>Rectangle Properties</translation>
    </message>
    <message>
        <source>KvImaPro</source>
        <extracomment>65444 &quot;Propiedades Imagen&quot;</extracomment>
        <translation>Picture Properties</translation>
    </message>
    <message>
        <source>KvLabPro</source>
        <extracomment>65445 &quot;Propiedades Etiqueta&quot;</extracomment>
        <translation>Label Properties</translation>
    </message>
    <message>
        <source>KvPrintPr</source>
        <extracomment>65446 &quot;Vista Preliminar&quot;</extracomment>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>KvText</source>
        <extracomment>65447 &quot;Texto&quot;</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <source>KvBorder</source>
        <extracomment>65448 &quot;Borde&quot;</extracomment>
        <translation>Border</translation>
    </message>
    <message>
        <source>KvShow</source>
        <extracomment>65449 &quot;Ver&quot;</extracomment>
        <translation>Show</translation>
    </message>
    <message>
        <source>KvFirstP</source>
        <extracomment>65450 &quot;Primer Punto&quot;</extracomment>
        <translation>First Point</translation>
    </message>
    <message>
        <source>KvSecondP</source>
        <extracomment>65451 &quot;Segundo Punto&quot;</extracomment>
        <translation>Second Point</translation>
    </message>
    <message>
        <source>KVNumberHeight</source>
        <extracomment>65452 &quot;Altura N.&quot;</extracomment>
        <translation>Number Height</translation>
    </message>
    <message>
        <source>KvEnDL</source>
        <extracomment>65453 &quot;Sobre DL&quot;</extracomment>
        <translation>Envelope DL</translation>
    </message>
    <message>
        <source>KvEnC5</source>
        <extracomment>65454 &quot;Sobre C5&quot;</extracomment>
        <translation>Envelope C5</translation>
    </message>
    <message>
        <source>KvEnC3</source>
        <extracomment>65455 &quot;Sobre C3&quot;</extracomment>
        <translation>Envelope C3</translation>
    </message>
    <message>
        <source>KvData</source>
        <extracomment>65456 &quot;Extraer Datos&quot;</extracomment>
        <translation>Extract Data</translation>
    </message>
    <message>
        <source>KVField</source>
        <extracomment>65457 &quot;Campo&quot;</extracomment>
        <translation>Field</translation>
    </message>
    <message>
        <source>KvTable</source>
        <extracomment>65458 &quot;Tabla&quot;</extracomment>
        <translation>Table</translation>
    </message>
    <message>
        <source>KvColSelect</source>
        <extracomment>65459 &quot;Color Selección&quot;</extracomment>
        <translation>Selection Color</translation>
    </message>
    <message>
        <source>KvBackColor</source>
        <extracomment>65460 &quot;Color Fondo&quot;</extracomment>
        <translation>Background Color</translation>
    </message>
    <message>
        <source>KvShowNumber</source>
        <extracomment>65461 &quot;Ver Número&quot;</extracomment>
        <translation>Show Number</translation>
    </message>
    <message>
        <source>KvCaracDist</source>
        <extracomment>65462 &quot;Separación letras&quot;</extracomment>
        <translation>Letter Spacing</translation>
    </message>
    <message>
        <source>KvBarWidth</source>
        <extracomment>65463 &quot;Ancho barras&quot;</extracomment>
        <translation>Bar Width</translation>
    </message>
    <message>
        <source>KvBarDistance</source>
        <extracomment>65464 &quot;Separación Barras&quot;</extracomment>
        <translation>Bar Spacing</translation>
    </message>
    <message>
        <source>KvLeftMargin</source>
        <extracomment>65465 &quot;M. Izquierdo&quot;</extracomment>
        <translation>Left Margin</translation>
    </message>
    <message>
        <source>KvTopMargin</source>
        <extracomment>65466 &quot;M. Superior&quot;</extracomment>
        <translation>Top Margin</translation>
    </message>
    <message>
        <source>KVInsert</source>
        <extracomment>65467 &quot;Punto Inserción&quot;</extracomment>
        <translation>Insertion Point</translation>
    </message>
    <message>
        <source>KvExtract</source>
        <extracomment>65468 &quot;Extraer&quot;</extracomment>
        <translation>Extract</translation>
    </message>
    <message>
        <source>KvLinePro</source>
        <extracomment>65469 &quot;Propiedades Línea&quot;</extracomment>
        <translation>Line Properties</translation>
    </message>
    <message>
        <source>KvBarCodePro</source>
        <extracomment>65470 &quot;Propiedades Código Barras&quot;</extracomment>
        <translation>Barcode Properties</translation>
    </message>
    <message>
        <source>KvTextPro</source>
        <extracomment>65471 &quot;Propiedades Texto&quot;</extracomment>
        <translation>Text Properties</translation>
    </message>
    <message>
        <source>KvAlignBottom</source>
        <extracomment>65472 &quot;Abajo&quot;</extracomment>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>KvBarCode</source>
        <extracomment>65473 &quot;Barras&quot;</extracomment>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>KVBarType</source>
        <extracomment>65474 &quot;Tipo&quot;</extracomment>
        <translation>Type</translation>
    </message>
    <message>
        <source>KvDataBase</source>
        <extracomment>65475 &quot;Base Datos&quot;</extracomment>
        <translation>Database</translation>
    </message>
    <message>
        <source>KvNuLabs</source>
        <extracomment>65476 &quot;Numero etiquetas&quot;</extracomment>
        <translation>Number of labels</translation>
    </message>
    <message>
        <source>KvFirstCol</source>
        <extracomment>65477 &quot;Primera Columna&quot;</extracomment>
        <translation>First Column</translation>
    </message>
    <message>
        <source>KvFirstRow</source>
        <extracomment>65478 &quot;Primera Fila&quot;</extracomment>
        <translation>First Row</translation>
    </message>
    <message>
        <source>KvPrintFrom</source>
        <extracomment>65479 &quot;Imprimir desde&quot;</extracomment>
        <translation>Print from</translation>
    </message>
    <message>
        <source>KvTo</source>
        <extracomment>65480 &quot;hasta&quot;</extracomment>
        <translation>to</translation>
    </message>
    <message>
        <source>KvPrMarg</source>
        <extracomment>65481 &quot;Margenes&quot;</extracomment>
        <translation>Margins</translation>
    </message>
    <message>
        <source>KvDis</source>
        <extracomment>65482 &quot;Distribución&quot;</extracomment>
        <translation>Layout</translation>
    </message>
    <message>
        <source>KvShowLines</source>
        <extracomment>65483 &quot;Ver Líneas&quot;</extracomment>
        <translation>Show Lines</translation>
    </message>
    <message>
        <source>KvLeft</source>
        <extracomment>65484 &quot;Izquierdo: &quot;</extracomment>
        <translation>Left: </translation>
    </message>
    <message>
        <source>KvRight</source>
        <extracomment>65485 &quot;Derecho: &quot;</extracomment>
        <translation>Right: </translation>
    </message>
    <message>
        <source>KvTop</source>
        <extracomment>65486 &quot;Arriba: &quot;</extracomment>
        <translation>Top: </translation>
    </message>
    <message>
        <source>KvBottom</source>
        <extracomment>65487 &quot;Abajo: &quot;</extracomment>
        <translation>Bottom: </translation>
    </message>
    <message>
        <source>KvFrame</source>
        <extracomment>65488 &quot;Marco&quot;</extracomment>
        <translation>Frame</translation>
    </message>
    <message>
        <source>KvD1Frame</source>
        <extracomment>65489 &quot;Distancia Marco 1&quot;</extracomment>
        <translation>Frame Distance 1</translation>
    </message>
    <message>
        <source>KvD2Frame</source>
        <extracomment>65490 &quot;Distancia Marco 2&quot;</extracomment>
        <translation>Frame Distance 2</translation>
    </message>
    <message>
        <source>KvSnapGrid</source>
        <extracomment>65491 &quot;Ajustar a rejilla&quot;</extracomment>
        <translation>Snap to grid</translation>
    </message>
    <message>
        <source>KvShowGrid</source>
        <extracomment>65492 &quot;Ver rejilla&quot;</extracomment>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>KvShowMar</source>
        <extracomment>65493 &quot;Ver Márgenes&quot;</extracomment>
        <translation>Show Margins</translation>
    </message>
    <message>
        <source>KvFront</source>
        <extracomment>65494 &quot;Delante&quot;</extracomment>
        <translation>Front</translation>
    </message>
    <message>
        <source>KvPenWidth</source>
        <extracomment>65495 &quot;Grosor línea&quot;</extracomment>
        <translation>Line width</translation>
    </message>
    <message>
        <source>KvImage</source>
        <extracomment>65496 &quot;Imagen&quot;</extracomment>
        <translation>Picture</translation>
    </message>
    <message>
        <source>KvShowImage</source>
        <extracomment>65497 &quot;Ver Imagen&quot;</extracomment>
        <translation>Show Picture</translation>
    </message>
    <message>
        <source>KvOpenImage</source>
        <extracomment>65498 &quot;Abrir Imagen&quot;</extracomment>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>KvAlignOb</source>
        <extracomment>65499 &quot;Alinear Objectos&quot;</extracomment>
        <translation>Align Objects</translation>
    </message>
    <message>
        <source>KvUser</source>
        <extracomment>65500 &quot;Usuario&quot;</extracomment>
        <translation>User</translation>
    </message>
    <message>
        <source>KvAlignLeft</source>
        <extracomment>65501 &quot;Izquierdo&quot;</extracomment>
        <translation>Left</translation>
    </message>
    <message>
        <source>KvAlignRight</source>
        <extracomment>65502 &quot;Derecho&quot;</extracomment>
        <translation>Right</translation>
    </message>
    <message>
        <source>KvAlignTop</source>
        <extracomment>65503 &quot;Arriba&quot;</extracomment>
        <translation>Top</translation>
    </message>
    <message>
        <source>KvSep</source>
        <extracomment>65504 &quot;Separacion&quot;</extracomment>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>KvHor</source>
        <extracomment>65505 &quot;Horizontal&quot;</extracomment>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>KvVer</source>
        <extracomment>65506 &quot;Vertical&quot;</extracomment>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>KvSize</source>
        <extracomment>65507 &quot;Tipo Etiqueta&quot;</extracomment>
        <translation>Label Type</translation>
    </message>
    <message>
        <source>KvPrint</source>
        <extracomment>65508 &quot;Imprimir&quot;</extracomment>
        <translation>Print</translation>
    </message>
    <message>
        <source>KvBack1</source>
        <extracomment>65509 &quot;Fondo&quot;</extracomment>
        <translation>Background</translation>
    </message>
    <message>
        <source>KvBack</source>
        <extracomment>65510 &quot;Atrás&quot;</extracomment>
        <translation>Back</translation>
    </message>
    <message>
        <source>KvGrid</source>
        <extracomment>65511 &quot;Rejilla&quot;</extracomment>
        <translation>Grid</translation>
    </message>
    <message>
        <source>KvRow</source>
        <extracomment>65512 &quot;Filas&quot;</extracomment>
        <translation>Rows</translation>
    </message>
    <message>
        <source>KvCol</source>
        <extracomment>65513 &quot;Columnas&quot;</extracomment>
        <translation>Columns</translation>
    </message>
    <message>
        <source>KvPaper</source>
        <extracomment>65514 &quot;Papel&quot;</extracomment>
        <translation>Paper</translation>
    </message>
    <message>
        <source>KvOrien</source>
        <extracomment>65515 &quot;Orientación&quot;</extracomment>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>KvPortrait</source>
        <extracomment>65516 &quot;Portrait&quot;</extracomment>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>KvLandscape</source>
        <extracomment>65517 &quot;Landscape&quot;</extracomment>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>KvGridY</source>
        <extracomment>65518 &quot;Distancia Vertical&quot;</extracomment>
        <translation>Vertical Spacing</translation>
    </message>
    <message>
        <source>KvGridX</source>
        <extracomment>65519 &quot;Distancia Horizontal&quot;</extracomment>
        <translation>Horizontal Spacing</translation>
    </message>
    <message>
        <source>KvColor</source>
        <extracomment>65520 &quot;Color&quot;</extracomment>
        <translation>Color</translation>
    </message>
    <message>
        <source>KvDelete</source>
        <extracomment>65521 &quot;Borrar&quot;</extracomment>
        <translation>Delete</translation>
    </message>
    <message>
        <source>KvProperties</source>
        <extracomment>65522 &quot;Propiedades&quot;</extracomment>
        <translation>Properties</translation>
    </message>
    <message>
        <source>KvTransparent</source>
        <extracomment>65523 &quot;Transparente&quot;</extracomment>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>KvAngle</source>
        <extracomment>65524 &quot;Angulo&quot;</extracomment>
        <translation>Angle</translation>
    </message>
    <message>
        <source>KvFont</source>
        <extracomment>65525 &quot;Fuente&quot;</extracomment>
        <translation>Font</translation>
    </message>
    <message>
        <source>KvName</source>
        <extracomment>65526 &quot;Nombre&quot;</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>KvDim</source>
        <extracomment>65527 &quot;Dimensiones&quot;</extracomment>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>KvStyle</source>
        <extracomment>65528 &quot;Estilo&quot;</extracomment>
        <translation>Style</translation>
    </message>
    <message>
        <source>KvItalic</source>
        <extracomment>65529 &quot;Cursiva&quot;</extracomment>
        <translation>Italic</translation>
    </message>
    <message>
        <source>KvBold</source>
        <extracomment>65530 &quot;Negrita&quot;</extracomment>
        <translation>Bold</translation>
    </message>
    <message>
        <source>KvUnderline</source>
        <extracomment>65531 &quot;Subrayado&quot;</extracomment>
        <translation>Underline</translation>
    </message>
    <message>
        <source>KvBefore</source>
        <extracomment>65532 &quot;Prefijo&quot;</extracomment>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>KvAfter</source>
        <extracomment>65533 &quot;Sufijo&quot;</extracomment>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>KvHeight</source>
        <extracomment>65534 &quot;Altura&quot;</extracomment>
        <translation>Height</translation>
    </message>
    <message>
        <source>KvWidth</source>
        <extracomment>65535 &quot;Ancho&quot;</extracomment>
        <translation>Width</translation>
    </message>
    <message>
        <source>KvPrevFirst</source>
        <extracomment>65408 &quot;Primera página&quot;</extracomment>
        <translation>First page</translation>
    </message>
    <message>
        <source>KvPrevPrior</source>
        <extracomment>65409 &quot;Página anterior&quot;</extracomment>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>KvPrevNext</source>
        <extracomment>65410 &quot;Página siguiente&quot;</extracomment>
        <translation>Next page</translation>
    </message>
    <message>
        <source>KvPrevLast</source>
        <extracomment>65411 &quot;Última página&quot;</extracomment>
        <translation>Last page</translation>
    </message>
    <message>
        <source>KvPrevWhole</source>
        <extracomment>65412 &quot;Página entera&quot;</extracomment>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>KvPrevWidth</source>
        <extracomment>65413 &quot;Ancho de página&quot;</extracomment>
        <translation>Page width</translation>
    </message>
    <message>
        <source>KvPrevZoomOut</source>
        <extracomment>65414 &quot;Reducir&quot;</extracomment>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>KvPrevZoomIn</source>
        <extracomment>65415 &quot;Ampliar&quot;</extracomment>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>KvPrevPageOf</source>
        <extracomment>65416 &quot;Página %1 de %2&quot;</extracomment>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>KvPrintNoStart</source>
        <extracomment>65417 &quot;No se puede iniciar la impresión en «%1».&quot;</extracomment>
        <translation>Cannot start printing on “%1”.</translation>
    </message>
    <message>
        <source>KvPrintBroken</source>
        <extracomment>65418 &quot;La impresión en «%1» no se ha completado.&quot;</extracomment>
        <translation>Printing on “%1” did not complete.</translation>
    </message>
    <message>
        <source>KvSourceGone</source>
        <extracomment>65423 &quot;El origen de datos «%1» no está disponible en este equipo: no es un alias registrado ni una ruta existente, o lo que nombra ya no existe. El diseño lo conserva; sus registros no se pueden leer aquí.&quot;</extracomment>
        <translation>The data source “%1” is not available on this computer: it is neither a registered alias nor an existing path, or what it names no longer exists. The design keeps it; its records cannot be read here.</translation>
    </message>
    <message>
        <source>KvTableGone</source>
        <extracomment>65422 &quot;La tabla «%1» no existe en «%2». El diseño la conserva; sus registros no se pueden leer aquí.&quot;</extracomment>
        <translation>The table “%1” does not exist in “%2”. The design keeps it; its records cannot be read here.</translation>
    </message>
    <message>
        <source>KvNotHere</source>
        <extracomment>65421 &quot;(no disponible)&quot;</extracomment>
        <translation>(not available)</translation>
    </message>
    <message>
        <source>KvBackNotPrinted</source>
        <extracomment>65420 &quot;El fondo es una ayuda de dibujo: solo se ve en el diseñador y nunca se imprime.&quot;</extracomment>
        <translation>The background is a drawing aid: it is shown only in the designer and never printed.</translation>
    </message>
    <message>
        <source>KvPictures</source>
        <extracomment>65419 &quot;Imágenes&quot;</extracomment>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>KvLetter</source>
        <extracomment>65432 &quot;Carta&quot;</extracomment>
        <translation>Letter</translation>
    </message>
    <message>
        <source>KvExecutive</source>
        <extracomment>65433 &quot;Ejecutivo&quot;</extracomment>
        <translation>Executive</translation>
    </message>
    <message>
        <source>KvTabloid</source>
        <extracomment>65434 &quot;Tabloide&quot;</extracomment>
        <translation>Tabloid</translation>
    </message>
    <message>
        <source>KvStatement</source>
        <extracomment>65435 &quot;Media carta&quot;</extracomment>
        <translation>Statement</translation>
    </message>
    <message>
        <source>KvEn10</source>
        <extracomment>65436 &quot;Sobre n.º 10&quot;</extracomment>
        <translation>Envelope #10</translation>
    </message>
    <message>
        <source>KvEnMonarch</source>
        <extracomment>65437 &quot;Sobre Monarch&quot;</extracomment>
        <translation>Envelope Monarch</translation>
    </message>
    <message>
        <source>KvOffPage</source>
        <extracomment>65438 &quot;Etiquetas fuera del área imprimible: %1 (la primera en la fila %2, columna %3)&quot;</extracomment>
        <translation>Labels outside the printable area: %1 (the first at row %2, column %3)</translation>
    </message>
    <message>
        <source>KvBarCharacter</source>
        <extracomment>65406 &quot;Carácter no válido para este tipo de código&quot;</extracomment>
        <translation>Invalid character for this barcode type</translation>
    </message>
    <message>
        <source>KvBarCheckDigit</source>
        <extracomment>65405 &quot;Dígito de control incorrecto: debería ser %1&quot;</extracomment>
        <translation>Wrong check digit: it should be %1</translation>
    </message>
    <message>
        <source>KvBarLength</source>
        <extracomment>65404 &quot;Longitud no válida para este tipo de código&quot;</extracomment>
        <translation>Invalid length for this barcode type</translation>
    </message>
    <message>
        <source>KvBarTooLong</source>
        <extracomment>65403 &quot;Demasiados datos para este tipo de código&quot;</extracomment>
        <translation>Too much data for this barcode type</translation>
    </message>
    <message>
        <source>KvBarGs1</source>
        <extracomment>65402 &quot;Datos GS1 no válidos: cada dato empieza por su identificador entre paréntesis, p. ej. (01)&quot;</extracomment>
        <translation>Invalid GS1 data: every field starts with its identifier in brackets, e.g. (01)</translation>
    </message>
    <message>
        <source>KvBarGs1Ai</source>
        <extracomment>65401 &quot;Datos no válidos para el identificador GS1 (%1)&quot;</extracomment>
        <translation>Invalid data for GS1 identifier (%1)</translation>
    </message>
    <message>
        <source>KvBarEmpty</source>
        <extracomment>65400 &quot;Sin datos&quot;</extracomment>
        <translation>No data</translation>
    </message>
    <message>
        <source>KvBarInvalid</source>
        <extracomment>65399 &quot;Datos no válidos para este tipo de código (%1)&quot;</extracomment>
        <translation>Invalid data for this barcode type (%1)</translation>
    </message>
    <message>
        <source>KvBarQuietZone</source>
        <extracomment>65398 &quot;Margen menor que la zona de silencio: al menos %1 mm&quot;</extracomment>
        <translation>Margin below the quiet zone: at least %1 mm</translation>
    </message>
    <message>
        <source>KvBarFixCheck</source>
        <extracomment>65397 &quot;Corregir&quot;</extracomment>
        <translation>Correct</translation>
    </message>
    <message>
        <source>KvBarEcLevel</source>
        <extracomment>65396 &quot;Corrección de errores&quot;</extracomment>
        <translation>Error correction</translation>
    </message>
    <message>
        <source>KvBarGs1Mode</source>
        <extracomment>65395 &quot;Datos GS1&quot;</extracomment>
        <translation>GS1 data</translation>
    </message>
    <message>
        <source>KvToLast</source>
        <extracomment>65407 &quot;hasta el último&quot;</extracomment>
        <translation>to the last</translation>
    </message>
    <message>
        <source>KvFit</source>
        <extracomment>65320 &quot;Ajuste&quot;</extracomment>
        <translation>Fitting</translation>
    </message>
    <message>
        <source>KvFitNone</source>
        <extracomment>65319 &quot;Tal cual&quot;</extracomment>
        <translation>As it comes</translation>
    </message>
    <message>
        <source>KvFitShrink</source>
        <extracomment>65318 &quot;Reducir hasta que quepa&quot;</extracomment>
        <translation>Shrink to fit</translation>
    </message>
    <message>
        <source>KvFitClip</source>
        <extracomment>65317 &quot;Recortar en el borde de la etiqueta&quot;</extracomment>
        <translation>Clip at the label&apos;s edge</translation>
    </message>
    <message>
        <source>KvFitLeast</source>
        <extracomment>65316 &quot;Mínimo :&quot;</extracomment>
        <translation>Least: </translation>
    </message>
    <message>
        <source>KvLimitElement</source>
        <extracomment>&quot;El elemento %1 (%2)&quot;</extracomment>
        <translation>Element %1 (%2)</translation>
    </message>
    <message>
        <source>KvLimitCopied</source>
        <extracomment>&quot;El elemento a copiar (%1)&quot;</extracomment>
        <translation>The element to copy (%1)</translation>
    </message>
    <message>
        <source>KvLimitRange</source>
        <extracomment>&quot;%1 no cabe en un archivo de etiquetas: %2 vale %3 y debe estar entre %4 y %5&quot;</extracomment>
        <translation>%1 does not fit in a label file: %2 is %3 and must lie between %4 and %5</translation>
    </message>
    <message>
        <source>KvLimitMax</source>
        <extracomment>&quot;%1 no cabe en un archivo de etiquetas: %2 vale %3 y no puede pasar de %4&quot;</extracomment>
        <translation>%1 does not fit in a label file: %2 is %3 and may be at most %4</translation>
    </message>
    <message>
        <source>KvLimitText</source>
        <extracomment>&quot;%1 no cabe en un archivo de etiquetas: %2 tiene %3 caracteres y no puede pasar de %4&quot;</extracomment>
        <translation>%1 does not fit in a label file: %2 has %3 characters and may have at most %4</translation>
    </message>
    <message>
        <source>KvLimitElements</source>
        <extracomment>&quot;El diseño no cabe en un archivo de etiquetas: tiene %1 elementos y no puede pasar de %2&quot;</extracomment>
        <translation>The design does not fit in a label file: it has %1 elements and may have at most %2</translation>
    </message>
    <message>
        <source>KvLimitFileSize</source>
        <extracomment>&quot;El diseño no cabe en un archivo de etiquetas: ocupa %1 bytes y no puede pasar de %2&quot;</extracomment>
        <translation>The design does not fit in a label file: it takes %1 bytes and may take at most %2</translation>
    </message>
    <message>
        <source>KvKindLine</source>
        <extracomment>&quot;línea&quot;</extracomment>
        <translation>line</translation>
    </message>
    <message>
        <source>KvKindText</source>
        <extracomment>&quot;texto&quot;</extracomment>
        <translation>text</translation>
    </message>
    <message>
        <source>KvKindBar</source>
        <extracomment>&quot;código de barras&quot;</extracomment>
        <translation>barcode</translation>
    </message>
    <message>
        <source>KvKindRect</source>
        <extracomment>&quot;rectángulo&quot;</extracomment>
        <translation>rectangle</translation>
    </message>
    <message>
        <source>KvKindSymbol</source>
        <extracomment>&quot;símbolo&quot;</extracomment>
        <translation>symbol</translation>
    </message>
    <message>
        <source>KvKindPoliText</source>
        <extracomment>&quot;texto compuesto&quot;</extracomment>
        <translation>composite text</translation>
    </message>
    <message>
        <source>KvKindImage</source>
        <extracomment>&quot;imagen&quot;</extracomment>
        <translation>picture</translation>
    </message>
    <message>
        <source>KvKindParagraph</source>
        <extracomment>&quot;párrafo&quot;</extracomment>
        <translation>paragraph</translation>
    </message>
    <message>
        <source>KvLimitLabel</source>
        <extracomment>&quot;La etiqueta&quot;</extracomment>
        <translation>The label</translation>
    </message>
</context>
<context>
    <name>kvlab</name>
    <message>
        <source>sin permiso de escritura en %1</source>
        <translation>no permission to write in %1</translation>
    </message>
    <message>
        <source>no existe</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>es una carpeta</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>sin permiso de lectura</source>
        <translation>no permission to read it</translation>
    </message>
    <message>
        <source>no es un diseño de etiquetas o está dañado</source>
        <translation>not a label design, or a damaged one</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>la carpeta %1 no existe</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 no es una carpeta</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>no se ha podido escribir entero (¿está lleno el disco?)</source>
        <translation>it could not be written whole (is the disk full?)</translation>
    </message>
    <message>
        <source>error del sistema de archivos</source>
        <translation>file system error</translation>
    </message>
    <message>
        <source>No se puede leer el archivo elegido: %1: %2</source>
        <translation>Cannot read the chosen file: %1: %2</translation>
    </message>
    <message>
        <source>info: argumento inesperado %1</source>
        <translation>info: unexpected argument %1</translation>
    </message>
    <message>
        <source>uso: kvlab info DISEÑO.lab [--json]</source>
        <translation>usage: kvlab info DESIGN.lab [--json]</translation>
    </message>
    <message>
        <source>uso: kvlab print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]
                [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C] [--from A] [--to B]
                [--quiet]</source>
        <translation>usage: kvlab print DESIGN.lab (-o OUT.pdf | --printer NAME) [--png-dir DIR] [--dpi N]
                  [--alias NAME=PATH]... [--labs N] [--first-row R] [--first-col C] [--from A] [--to B]
                  [--quiet]</translation>
    </message>
    <message>
        <source>print: argumento inesperado %1</source>
        <translation>print: unexpected argument %1</translation>
    </message>
    <message>
        <source>print: %1 necesita un valor válido</source>
        <translation>print: %1 needs a valid value</translation>
    </message>
    <message>
        <source>%1: %2 de %3 etiquetas (%4 %)</source>
        <translation>%1: %2 of %3 labels (%4%)</translation>
    </message>
    <message>
        <source>una página de %1 x %2 píxeles es demasiado grande; baje --dpi</source>
        <translation>a page of %1 x %2 pixels is too large; lower --dpi</translation>
    </message>
    <message>
        <source>no hay memoria para una página de %1 x %2 píxeles</source>
        <translation>not enough memory for a page of %1 x %2 pixels</translation>
    </message>
    <message>
        <source>no se puede escribir %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>print: no hay ninguna impresora llamada %1</source>
        <translation>print: no printer named %1</translation>
    </message>
    <message>
        <source>print: no se puede crear la carpeta %1: %2</source>
        <translation>print: cannot create folder %1: %2</translation>
    </message>
    <message>
        <source>imprimiendo</source>
        <translation>printing</translation>
    </message>
    <message>
        <source>no se puede abrir el origen de datos %1 / %2; se han impreso en su lugar %3 copias de la etiqueta</source>
        <translation>the data source %1 / %2 cannot be opened; printed %3 copies of the label instead</translation>
    </message>
    <message>
        <source>dibujando las páginas</source>
        <translation>rendering pages</translation>
    </message>
    <message>
        <source>impresora %1</source>
        <translation>printer %1</translation>
    </message>
    <message>
        <source>%1 página(s), %2 etiqueta(s)</source>
        <translation>%1 page(s), %2 label(s)</translation>
    </message>
    <message>
        <source>, registros %1 a %2 de %3</source>
        <translation>, records %1 to %2 of %3</translation>
    </message>
    <message>
        <source>, copias sin datos</source>
        <translation>, copies without data</translation>
    </message>
    <message>
        <source>, %1 página(s) PNG a %2 ppp en %3</source>
        <translation>, %1 PNG page(s) at %2 dpi in %3</translation>
    </message>
    <message>
        <source>uso: kvlab render DISEÑO.lab SALIDA.png|SALIDA.pdf|SALIDA.svg [--dpi N]
                 [--record N [--alias NOMBRE=RUTA]...]</source>
        <translation>usage: kvlab render DESIGN.lab OUT.png|OUT.pdf|OUT.svg [--dpi N]
                    [--record N [--alias NAME=PATH]...]</translation>
    </message>
    <message>
        <source>no se puede escribir el archivo</source>
        <translation>cannot write the file</translation>
    </message>
    <message>
        <source>render: una imagen de %1 x %2 píxeles es demasiado grande; baje --dpi</source>
        <translation>render: a %1 x %2 pixel picture is too large; lower --dpi</translation>
    </message>
    <message>
        <source>render: no se puede escribir %1: %2</source>
        <translation>render: cannot write %1: %2</translation>
    </message>
    <message>
        <source>render: --dpi admite un número entero de 1 a %1, no «%2»</source>
        <translation>render: --dpi takes a whole number from 1 to %1, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>render: opción desconocida %1</source>
        <translation>render: unknown option %1</translation>
    </message>
    <message>
        <source>render: %1 debe terminar en .png, .pdf o .svg</source>
        <translation>render: %1 must end in .png, .pdf or .svg</translation>
    </message>
    <message>
        <source>uso: kvlab resave ENTRADA.lab SALIDA.lab</source>
        <translation>usage: kvlab resave IN.lab OUT.lab</translation>
    </message>
    <message>
        <source>resave: no se puede escribir %1: %2</source>
        <translation>resave: cannot write %1: %2</translation>
    </message>
    <message>
        <source>uso: kvlab ORDEN ...
  info DISEÑO.lab [--json]      los ajustes y los elementos del diseño
  resave ENTRADA.lab SALIDA.lab cargar y volver a guardar
  render DISEÑO.lab SALIDA.png|SALIDA.pdf|SALIDA.svg [--dpi N]
                                una etiqueta tal como se imprime, sin datos (300 ppp)
  render DISEÑO.lab SALIDA.png --record N [--alias NOMBRE=RUTA]...
                                una etiqueta con el registro N
  print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]
        [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C]
        [--from A] [--to B | --all] [--copies-without-data] [--strict] [--quiet] [--jobs N]
                                una tirada completa de etiquetas
  print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) --outline [--offset X,Y]
                                una hoja de prueba con los contornos
  check DISEÑO.lab [--alias NOMBRE=RUTA]... [--from A] [--to B | --all]
        [--first-row F] [--first-col C] [--printer NOMBRE] [--json]
                                comprueba una tirada sin imprimirla
  templates [TEXTO] [--json]    las plantillas de productos de etiquetas que coinciden
  new SALIDA.lab --template &quot;MARCA REFERENCIA&quot;
                                un diseño vacío en la hoja de esa plantilla
  --version                     la versión de kvlab
</source>
        <translation>usage: kvlab COMMAND ...
  info DESIGN.lab [--json]      the design&apos;s settings and elements
  resave IN.lab OUT.lab         load and save again
  render DESIGN.lab OUT.png|OUT.pdf|OUT.svg [--dpi N]
                                one label as it prints, without data (300 dpi)
  render DESIGN.lab OUT.png --record N [--alias NAME=PATH]...
                                one label with record N
  print DESIGN.lab (-o OUT.pdf | --printer NAME) [--png-dir DIR] [--dpi N]
        [--alias NAME=PATH]... [--labs N] [--first-row R] [--first-col C]
        [--from A] [--to B | --all] [--copies-without-data] [--strict] [--quiet] [--jobs N]
                                a whole run of labels
  print DESIGN.lab (-o OUT.pdf | --printer NAME) --outline [--offset X,Y]
                                a test sheet of the outlines
  check DESIGN.lab [--alias NAME=PATH]... [--from A] [--to B | --all]
        [--first-row R] [--first-col C] [--printer NAME] [--json]
                                checks a run without printing it
  templates [TEXT] [--json]     the label product templates that match
  new OUT.lab --template &quot;BRAND PART&quot;
                                an empty design on that template&apos;s sheet
  --version                     kvlab&apos;s version
</translation>
    </message>
    <message>
        <source>comando desconocido %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>uso: kvlab print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]
                [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C]
                [--from A] [--to B | --all] [--copies-without-data] [--strict]
                [--quiet] [--outline] [--offset X,Y] [--jobs N]</source>
        <translation>usage: kvlab print DESIGN.lab (-o OUT.pdf | --printer NAME) [--png-dir DIR] [--dpi N]
                  [--alias NAME=PATH]... [--labs N] [--first-row R] [--first-col C]
                  [--from A] [--to B | --all] [--copies-without-data] [--strict]
                  [--quiet] [--outline] [--offset X,Y] [--jobs N]</translation>
    </message>
    <message>
        <source>; --strict: no se imprime nada</source>
        <translation>; --strict: nothing is printed</translation>
    </message>
    <message>
        <source>print: aviso: </source>
        <translation>print: warning: </translation>
    </message>
    <message>
        <source>los registros de %1 cambiaron mientras se imprimía la tirada, que no se ha escrito: vuelva a imprimirla</source>
        <translation>the records of %1 changed while the run was being printed, and it was not written: print it again</translation>
    </message>
    <message>
        <source>print: --jobs admite de 1 a %1 trabajos</source>
        <translation>print: --jobs takes 1 to %1 jobs</translation>
    </message>
    <message>
        <source>print: SOURCE_DATE_EPOCH pide la fecha del PDF en segundos desde 1970 (p. ej. 1700000000), no %1</source>
        <translation>print: SOURCE_DATE_EPOCH asks for the PDF&apos;s date in seconds since 1970 (e.g. 1700000000), not %1</translation>
    </message>
    <message>
        <source>el trabajo %1 de %2 de la tirada terminó sin acabar su parte</source>
        <translation>job %1 of %2 of the run ended without finishing its share</translation>
    </message>
    <message>
        <source>no se puede empezar un trabajo de la tirada: %1</source>
        <translation>cannot start a job of the run: %1</translation>
    </message>
    <message>
        <source>print: --labs admite de 1 a %1 copias</source>
        <translation>print: --labs takes a number of copies from 1 to %1</translation>
    </message>
    <message>
        <source>print: -o escribe un PDF: dé un nombre acabado en .pdf, no %1</source>
        <translation>print: -o writes a PDF: give a name ending in .pdf, not %1</translation>
    </message>
    <message>
        <source>print: --all imprime hasta el último registro; no va con --to</source>
        <translation>print: --all prints to the last record; it does not go with --to</translation>
    </message>
    <message>
        <source>print: --from %1 es posterior a --to %2: el primer registro no puede ir detrás del último</source>
        <translation>print: --from %1 is after --to %2: the first record must not be after the last</translation>
    </message>
    <message>
        <source>no es un archivo normal</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>print: --first-row admite de 1 a %1: la hoja tiene %1 fila(s)</source>
        <translation>print: --first-row takes 1 to %1: the sheet has %1 row(s)</translation>
    </message>
    <message>
        <source>print: --first-col admite de 1 a %1: la hoja tiene %1 columna(s)</source>
        <translation>print: --first-col takes 1 to %1: the sheet has %1 column(s)</translation>
    </message>
    <message>
        <source>print: --from, --to y --all eligen registros, y esta tirada imprime copias: use --labs</source>
        <translation>print: --from, --to and --all choose records, and this run prints copies: use --labs</translation>
    </message>
    <message>
        <source>print: no se puede escribir %1: %2</source>
        <translation>print: cannot write %1: %2</translation>
    </message>
    <message>
        <source>print: no se puede crear la carpeta %1</source>
        <translation>print: cannot create folder %1</translation>
    </message>
    <message>
        <source>, registros %1 a %2 de %3 en %4</source>
        <translation>, records %1 to %2 of %3 in %4</translation>
    </message>
    <message>
        <source> (pedidos del %1 al último)</source>
        <translation> (asked %1 to the last)</translation>
    </message>
    <message>
        <source> (pedidos del %1 al %2)</source>
        <translation> (asked %1 to %2)</translation>
    </message>
    <message>
        <source>print: --labs cuenta copias, y este diseño imprime una etiqueta por registro de %1: use --from y --to, o --copies-without-data</source>
        <translation>print: --labs counts copies, and this design prints one label per record of %1: use --from and --to, or --copies-without-data</translation>
    </message>
    <message>
        <source>uso: kvlab check DISEÑO.lab [--alias NOMBRE=RUTA]... [--from A] [--to B | --all]
                [--first-row F] [--first-col C] [--printer NOMBRE] [--json]</source>
        <translation>usage: kvlab check DESIGN.lab [--alias NAME=PATH]... [--from A] [--to B | --all]
                  [--first-row R] [--first-col C] [--printer NAME] [--json]</translation>
    </message>
    <message>
        <source>check: no hay ninguna impresora llamada %1</source>
        <translation>check: there is no printer called %1</translation>
    </message>
    <message>
        <source>check: argumento inesperado %1</source>
        <translation>check: unexpected argument %1</translation>
    </message>
    <message>
        <source>check: %1 necesita un valor válido</source>
        <translation>check: %1 needs a valid value</translation>
    </message>
    <message>
        <source>check: --all llega hasta el último registro; no va con --to</source>
        <translation>check: --all goes to the last record; it does not go with --to</translation>
    </message>
    <message>
        <source>check: --from %1 es posterior a --to %2</source>
        <translation>check: --from %1 comes after --to %2</translation>
    </message>
    <message>
        <source>check: --first-row admite de 1 a %1</source>
        <translation>check: --first-row takes 1 to %1</translation>
    </message>
    <message>
        <source>check: --first-col admite de 1 a %1</source>
        <translation>check: --first-col takes 1 to %1</translation>
    </message>
    <message>
        <source>check: --from, --to y --all eligen registros, y este diseño imprime copias</source>
        <translation>check: --from, --to and --all choose records, and this design prints copies</translation>
    </message>
    <message>
        <source>render: --record admite un número de registro desde 1</source>
        <translation>render: --record takes a record number from 1</translation>
    </message>
    <message>
        <source>render: --alias necesita NOMBRE=RUTA</source>
        <translation>render: --alias needs NAME=PATH</translation>
    </message>
    <message>
        <source>render: --record muestra un registro, y este diseño no toma datos</source>
        <translation>render: --record shows a record, and this design takes no data</translation>
    </message>
    <message>
        <source>render: no hay registro %1: %2 tiene %3</source>
        <translation>render: there is no record %1: %2 has %3</translation>
    </message>
    <message>
        <source>templates: argumento inesperado %1</source>
        <translation>templates: unexpected argument %1</translation>
    </message>
    <message>
        <source>templates: no hay plantillas: instale el paquete glabels-data o copie archivos de plantillas en %1</source>
        <translation>templates: there are no templates: install the glabels-data package or copy template files into %1</translation>
    </message>
    <message>
        <source>templates: ninguna plantilla coincide con «%1»</source>
        <translation>templates: no template matches “%1”</translation>
    </message>
    <message>
        <source>new: argumento inesperado %1</source>
        <translation>new: unexpected argument %1</translation>
    </message>
    <message>
        <source>uso: kvlab new SALIDA.lab --template &quot;MARCA REFERENCIA&quot;</source>
        <translation>usage: kvlab new OUT.lab --template &quot;BRAND PART&quot;</translation>
    </message>
    <message>
        <source>new: no hay ninguna plantilla llamada «%1»</source>
        <translation>new: there is no template called “%1”</translation>
    </message>
    <message>
        <source>new: la plantilla «%1» no es única o no existe; quizá: %2</source>
        <translation>new: the template “%1” is not unique or does not exist; perhaps: %2</translation>
    </message>
    <message>
        <source>new: no se puede escribir %1: %2</source>
        <translation>new: cannot write %1: %2</translation>
    </message>
    <message>
        <source>print: --offset necesita X,Y en mm, de -100 a 100, p. ej. --offset 1.5,-0.75</source>
        <translation>print: --offset needs X,Y in mm, from -100 to 100, e.g. --offset 1.5,-0.75</translation>
    </message>
    <message>
        <source>, hoja de prueba (solo contornos)</source>
        <translation>, test sheet (outlines only)</translation>
    </message>
    <message>
        <source>print: --outline imprime la hoja de prueba, que no tiene vista preliminar: quite --png-dir</source>
        <translation>print: --outline prints the test sheet, which has no preview: leave out --png-dir</translation>
    </message>
</context>
<context>
    <name>TKVLab</name>
    <message>
        <source>el último</source>
        <translation>the last</translation>
    </message>
    <message>
        <source>El origen de datos %1 no se puede usar: %2</source>
        <translation>The data source %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>no tiene base de datos o tabla</source>
        <translation>it names no database or table</translation>
    </message>
    <message>
        <source>No hay nada que imprimir: la tabla %1 no tiene registros</source>
        <translation>Nothing to print: the table %1 has no records</translation>
    </message>
    <message>
        <source>No hay nada que imprimir: el filtro %1 no selecciona ningún registro de %2</source>
        <translation>Nothing to print: the filter %1 selects no record of %2</translation>
    </message>
    <message>
        <source>No hay nada que imprimir: se piden los registros %1 a %2 y %3 tiene %4</source>
        <translation>Nothing to print: records %1 to %2 are asked for and %3 has %4</translation>
    </message>
    <message>
        <source>el último</source>
        <translation>the last</translation>
        <source>KvLimitLabel</source>
        <extracomment>&quot;La etiqueta&quot;</extracomment>
        <translation>The label</translation>
    </message>
</context>
<context>
    <name>TKVRunCheck</name>
    <message>
        <source>no se puede leer el archivo %1</source>
        <translation>cannot read the file %1</translation>
    </message>
    <message>
        <source>el campo %1 no tiene valor</source>
        <translation>the field %1 has no value</translation>
    </message>
    <message>
        <source>el campo %1 está vacío</source>
        <translation>the field %1 is empty</translation>
    </message>
    <message>
        <source>la etiqueta cae fuera del área imprimible de la página</source>
        <translation>the label falls outside the page&apos;s printable area</translation>
    </message>
    <message>
        <source>sale %1 mm por la izquierda</source>
        <translation>goes %1 mm past the left edge</translation>
    </message>
    <message>
        <source>sale %1 mm por la derecha</source>
        <translation>goes %1 mm past the right edge</translation>
    </message>
    <message>
        <source>sale %1 mm por arriba</source>
        <translation>goes %1 mm past the top edge</translation>
    </message>
    <message>
        <source>sale %1 mm por abajo</source>
        <translation>goes %1 mm past the bottom edge</translation>
    </message>
    <message>
        <source>se imprime la marca de código no válido: %1</source>
        <translation>prints the invalid code mark: %1</translation>
    </message>
    <message>
        <source>no cabe en su recuadro: faltan %1 mm</source>
        <translation>does not fit its box: %1 mm short</translation>
    </message>
    <message>
        <source>no cabe ni reducido a su tamaño mínimo de %1 mm</source>
        <translation>does not fit even at its least size of %1 mm</translation>
    </message>
    <message>
        <source>registro %1</source>
        <translation>record %1</translation>
    </message>
    <message>
        <source>n.º %1</source>
        <translation>no. %1</translation>
    </message>
    <message>
        <source>una etiqueta: </source>
        <translation>a label: </translation>
    </message>
    <message>
        <source>%1 etiqueta(s) comprobada(s), registros %2 a %3 de %4 en %5</source>
        <translation>%1 label(s) checked, records %2 to %3 of %4 in %5</translation>
    </message>
    <message>
        <source>%1 copia(s) comprobada(s)</source>
        <translation>%1 copy(ies) checked</translation>
    </message>
    <message>
        <source>: sin problemas</source>
        <translation>: no problems</translation>
    </message>
    <message>
        <source>: %1 problema(s) en %2 registro(s)</source>
        <translation>: %1 problem(s) in %2 record(s)</translation>
    </message>
    <message>
        <source> del marco</source>
        <translation> of the frame</translation>
    </message>
</context>
<context>
    <name>TKVTemplates</name>
    <message>
        <source>elíptica: se usa el rectángulo que la contiene</source>
        <translation>elliptical: its bounding rectangle is used</translation>
    </message>
    <message>
        <source>redonda: se usa el cuadrado que la contiene</source>
        <translation>round: its bounding square is used</translation>
    </message>
    <message>
        <source>CD: se usa el rectángulo que la contiene</source>
        <translation>CD: its bounding rectangle is used</translation>
    </message>
</context>
<context>
    <name>TPropLab</name>
    <message>
        <source>Mi etiqueta</source>
        <translation>My Label</translation>
    </message>
    <message>
        <source>Plantilla (%1)</source>
        <translation>Template (%1)</translation>
    </message>
    <message>
        <source>Buscar por marca, referencia o tamaño (p. ej. Avery L7160, 63.5x38.1)</source>
        <translation>Search by brand, part or size (e.g. Avery L7160, 63.5x38.1)</translation>
    </message>
    <message>
        <source>Una etiqueta por página</source>
        <translation>One label per page</translation>
    </message>
    <message>
        <source>Plantilla</source>
        <translation>Template</translation>
    </message>
</context>
<context>
    <name>KVForms</name>
    <message>
        <source>%1 (en lugar de %2)</source>
        <translation>%1 (instead of %2)</translation>
    </message>
    <message>
        <source>%1 no está instalada: se dibuja con %2</source>
        <translation>%1 is not installed: drawn with %2</translation>
    </message>
    <message>
        <source>Propiedades texto compuesto</source>
        <translation>Composite Text Properties</translation>
    </message>
    <message>
        <source>Texto</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Anterior:</source>
        <translation>Before:</translation>
    </message>
    <message>
        <source>Posterior:</source>
        <translation>After:</translation>
    </message>
    <message>
        <source>Base Datos</source>
        <translation>Database</translation>
    </message>
    <message>
        <source>Campo :</source>
        <translation>Field :</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Fuente</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Fondo</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Nombre :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <source>Altura :</source>
        <translation>Height :</translation>
    </message>
    <message>
        <source>Separación letras :</source>
        <translation>Letter spacing :</translation>
    </message>
    <message>
        <source>Estilo</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Cursiva</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Negrita</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Subrayado</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Transparente</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Ajuste</source>
        <translation>Fitting</translation>
    </message>
    <message>
        <source>Tal cual</source>
        <translation>As is</translation>
    </message>
    <message>
        <source>Reducir hasta que quepa</source>
        <translation>Shrink until it fits</translation>
    </message>
    <message>
        <source>Recortar en el borde</source>
        <translation>Clip at the edge</translation>
    </message>
    <message>
        <source>Mínimo :</source>
        <translation>Minimum :</translation>
    </message>
    <message>
        <source>Posición</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Angulo</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Propiedades Imagen</source>
        <translation>Picture Properties</translation>
    </message>
    <message>
        <source>Primer punto : </source>
        <translation>First point : </translation>
    </message>
    <message>
        <source>Segundo punto : </source>
        <translation>Second point : </translation>
    </message>
    <message>
        <source>Imagen : </source>
        <translation>Picture : </translation>
    </message>
    <message>
        <source>Abrir Imagen</source>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Propiedades de linea</source>
        <translation>Line Properties</translation>
    </message>
    <message>
        <source>Color : </source>
        <translation>Color : </translation>
    </message>
    <message>
        <source>Ancho en mm : </source>
        <translation>Width in mm : </translation>
    </message>
    <message>
        <source>Propiedades Rectángulo</source>
        <translation>Rectangle Properties</translation>
    </message>
    <message>
        <source>Borde</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>Propiedades Código de Barras</source>
        <translation>Barcode Properties</translation>
    </message>
    <message>
        <source>Código</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Tipo :</source>
        <translation>Type :</translation>
    </message>
    <message>
        <source>Corregir</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>Corrección de errores</source>
        <translation>Error correction</translation>
    </message>
    <message>
        <source>Datos GS1</source>
        <translation>GS1 data</translation>
    </message>
    <message>
        <source>Barras</source>
        <translation>Bars</translation>
    </message>
    <message>
        <source>Tamaño</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Ancho Barras :</source>
        <translation>Bar width :</translation>
    </message>
    <message>
        <source>Alt. número:</source>
        <translation>Number height:</translation>
    </message>
    <message>
        <source>Ver Número</source>
        <translation>Show Number</translation>
    </message>
    <message>
        <source>M.Izquierdo :</source>
        <translation>Left margin :</translation>
    </message>
    <message>
        <source>M. Superior :</source>
        <translation>Top margin :</translation>
    </message>
    <message>
        <source>Espaciado texto : </source>
        <translation>Text spacing : </translation>
    </message>
    <message>
        <source>Propiedades Etiquetas</source>
        <translation>Label Properties</translation>
    </message>
    <message>
        <source>Dimensiones</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>Ancho :</source>
        <translation>Width :</translation>
    </message>
    <message>
        <source>Alto :</source>
        <translation>Height :</translation>
    </message>
    <message>
        <source>Número</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Filas :</source>
        <translation>Rows :</translation>
    </message>
    <message>
        <source>Columnas :</source>
        <translation>Columns :</translation>
    </message>
    <message>
        <source>Márgenes</source>
        <translation>Margins</translation>
    </message>
    <message>
        <source>Izquierdo :</source>
        <translation>Left :</translation>
    </message>
    <message>
        <source>Superior :</source>
        <translation>Top :</translation>
    </message>
    <message>
        <source>Separación</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>Horizontal :</source>
        <translation>Horizontal :</translation>
    </message>
    <message>
        <source>Vertical :</source>
        <translation>Vertical :</translation>
    </message>
    <message>
        <source>Papel</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>Nombre Etiqueta</source>
        <translation>Label Name</translation>
    </message>
    <message>
        <source>Orientación</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Plantilla</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>Una etiqueta por página</source>
        <translation>One label per page</translation>
    </message>
    <message>
        <source>Impresión</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>Nº Etiquetas :</source>
        <translation>No. of labels :</translation>
    </message>
    <message>
        <source>Primera Columna :</source>
        <translation>First column :</translation>
    </message>
    <message>
        <source>Primera Fila :</source>
        <translation>First row :</translation>
    </message>
    <message>
        <source>Imprimir desde :</source>
        <translation>Print from :</translation>
    </message>
    <message>
        <source>hasta :</source>
        <translation>to :</translation>
    </message>
    <message>
        <source>hasta el último</source>
        <translation>to the last</translation>
    </message>
    <message>
        <source>Ver Márgenes</source>
        <translation>Show Margins</translation>
    </message>
    <message>
        <source>Color Selección :</source>
        <translation>Selection color :</translation>
    </message>
    <message>
        <source>Color Fondo :</source>
        <translation>Background color :</translation>
    </message>
    <message>
        <source>Imagen</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Ver Imagen</source>
        <translation>Show Picture</translation>
    </message>
    <message>
        <source>Rejilla</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>Distancia X :</source>
        <translation>X distance :</translation>
    </message>
    <message>
        <source>Distancia Y :</source>
        <translation>Y distance :</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Color :</translation>
    </message>
    <message>
        <source>Ver rejilla</source>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>Ajustar a rejilla</source>
        <translation>Snap to grid</translation>
    </message>
    <message>
        <source>Marco</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Distancia 1 :</source>
        <translation>Distance 1 :</translation>
    </message>
    <message>
        <source>Distancia 2 :</source>
        <translation>Distance 2 :</translation>
    </message>
    <message>
        <source>Grosor :</source>
        <translation>Thickness :</translation>
    </message>
    <message>
        <source>Ninguno</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Simple</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Doble</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>Alinear Objetos</source>
        <translation>Align Objects</translation>
    </message>
    <message>
        <source>Arriba :</source>
        <translation>Top :</translation>
    </message>
    <message>
        <source>Ver Líneas</source>
        <translation>Show Lines</translation>
    </message>
    <message>
        <source>El fondo es una ayuda de dibujo: solo se ve en el diseñador y nunca se imprime.</source>
        <translation>The background is a drawing aid: it is shown only in the designer and never printed.</translation>
    </message>
    <message>
        <source>Datos</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>Alias</translation>
    </message>
    <message>
        <source>Tabla</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Primer Registro</source>
        <translation>First Record</translation>
    </message>
    <message>
        <source>Registro Anterior</source>
        <translation>Previous Record</translation>
    </message>
    <message>
        <source>Registro Siguiente</source>
        <translation>Next Record</translation>
    </message>
    <message>
        <source>Ultimo Registro</source>
        <translation>Last Record</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>Execute</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Propiedades Párrafo</source>
        <translation>Paragraph Properties</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Primer punto</source>
        <translation>First point</translation>
    </message>
    <message>
        <source>Segundo punto</source>
        <translation>Second point</translation>
    </message>
    <message>
        <source>Propiedades Símbolo</source>
        <translation>Symbol Properties</translation>
    </message>
    <message>
        <source>Punto de inserción : </source>
        <translation>Insertion point : </translation>
    </message>
    <message>
        <source>Angulo : </source>
        <translation>Angle : </translation>
    </message>
    <message>
        <source>Fuente : </source>
        <translation>Font : </translation>
    </message>
    <message>
        <source>Negrita : </source>
        <translation>Bold : </translation>
    </message>
    <message>
        <source>Base Datos : </source>
        <translation>Database : </translation>
    </message>
    <message>
        <source>Extraer</source>
        <translation>Extract</translation>
    </message>
    <message>
        <source>Propiedades de texto</source>
        <translation>Text Properties</translation>
    </message>
</context>
<context>
    <name>KVMessages</name>
    <message>
        <source>se esperaba " AND "</source>
        <translation>" AND " expected</translation>
    </message>
    <message>
        <source>se esperaba '%1'</source>
        <translation>'%1' expected</translation>
    </message>
    <message>
        <source>carácter de control en un nombre de campo</source>
        <translation>control character in a field name</translation>
    </message>
    <message>
        <source>se esperaba un nombre de campo</source>
        <translation>field name expected</translation>
    </message>
    <message>
        <source>se esperaba un operador =, &lt;&gt;, &lt;=, &gt;=, &lt; o &gt;</source>
        <translation>operator =, &lt;&gt;, &lt;=, &gt;=, &lt; or &gt; expected</translation>
    </message>
    <message>
        <source>valor entre comillas sin cerrar</source>
        <translation>unterminated quoted value</translation>
    </message>
    <message>
        <source>se esperaba un valor entre comillas, un número o una palabra</source>
        <translation>quoted value, number or word expected</translation>
    </message>
    <message>
        <source>No se puede escribir la cadena %1 de un registro en el archivo de etiquetas</source>
        <translation>Cannot write string %1 of a record in the label file</translation>
    </message>
    <message>
        <source>No se puede escribir el archivo de etiquetas: una cadena fuera de sus registros</source>
        <translation>Cannot write the label file: a string outside its records</translation>
    </message>
    <message>
        <source>No se puede escribir el archivo de etiquetas: su bloque de extensión pasa de %1 bytes</source>
        <translation>Cannot write the label file: its extension block is larger than %1 bytes</translation>
    </message>
    <message>
        <source>No se puede escribir %1: escritos %2 de %3 bytes (¿está lleno el disco?)</source>
        <translation>Cannot write %1: %2 of %3 bytes written (is the disk full?)</translation>
    </message>
    <message>
        <source>No se puede escribir %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>No se puede escribir %1: no es un archivo normal</source>
        <translation>Cannot write %1: not a regular file</translation>
    </message>
    <message>
        <source>No se puede escribir: %1</source>
        <translation>Cannot write: %1</translation>
    </message>
    <message>
        <source>Una tirada de %1 etiquetas pasa de las %2 que puede imprimir una tirada</source>
        <translation>A run of %1 labels is more than the %2 one run may print</translation>
    </message>
    <message>
        <source>No se puede terminar el trabajo de impresión en %1</source>
        <translation>Cannot finish the print job on %1</translation>
    </message>
    <message>
        <source>No se puede empezar el trabajo de impresión en %1</source>
        <translation>Cannot start the print job on %1</translation>
    </message>
    <message>
        <source>No se puede escribir la salida de impresión %1</source>
        <translation>Cannot write the print output %1</translation>
    </message>
    <message>
        <source>La impresora no pudo empezar una página nueva</source>
        <translation>The printer could not start a new page</translation>
    </message>
    <message>
        <source>%1: no hay ningún elemento seleccionado</source>
        <translation>%1: no element is selected</translation>
    </message>
    <message>
        <source>%1: el elemento seleccionado es de tipo %2, no %3</source>
        <translation>%1: the selected element is a %2, not a %3</translation>
    </message>
    <message>
        <source>No se puede abrir el archivo: </source>
        <translation>Cannot open the file: </translation>
    </message>
    <message>
        <source>Ha entrado en  if not Assigned(DevMode) ...</source>
        <translation>The printer did not accept the paper size</translation>
    </message>
    <message>
        <source>No se puede leer el archivo elegido</source>
        <translation>Cannot read the chosen file</translation>
    </message>
    <message>
        <source>Filtro no válido en la posición %1: %2</source>
        <translation>Invalid filter at position %1: %2</translation>
    </message>
    <message>
        <source>El filtro nombra un campo desconocido: %1</source>
        <translation>Filter names an unknown field: %1</translation>
    </message>
    <message>
        <source>Un alias necesita un nombre</source>
        <translation>An alias needs a name</translation>
    </message>
    <message>
        <source>No se ha indicado la base de datos</source>
        <translation>No database given</translation>
    </message>
    <message>
        <source>El alias %1 nombra una base de datos que no existe: %2</source>
        <translation>The alias %1 names a database that does not exist: %2</translation>
    </message>
    <message>
        <source>Alias o base de datos desconocidos: %1</source>
        <translation>Unknown alias or database: %1</translation>
    </message>
    <message>
        <source>No se ha indicado la tabla</source>
        <translation>No table given</translation>
    </message>
    <message>
        <source>No se puede abrir la base de datos %1: %2</source>
        <translation>Cannot open database %1: %2</translation>
    </message>
    <message>
        <source>Tiempo de espera no válido en la URL de la base de datos: %1 (segundos enteros, de 1 a 86400)</source>
        <translation>Invalid timeout in the database URL: %1 (whole seconds, 1 to 86400)</translation>
    </message>
    <message>
        <source>Parámetro de conexión no válido en la URL de la base de datos: %1</source>
        <translation>Invalid connection parameter in the database URL: %1</translation>
    </message>
    <message>
        <source>No se encuentra la tabla: %1</source>
        <translation>Table not found: %1</translation>
    </message>
    <message>
        <source>URL de base de datos no válida: %1</source>
        <translation>Invalid database URL: %1</translation>
    </message>
    <message>
        <source>No se encuentra el archivo de la base de datos: %1</source>
        <translation>Database file not found: %1</translation>
    </message>
    <message>
        <source>El controlador SQL de Qt %1 no está disponible</source>
        <translation>The Qt SQL driver %1 is not available</translation>
    </message>
    <message>
        <source>El servidor PostgreSQL %1 no respondió en %2 s</source>
        <translation>The PostgreSQL server %1 did not answer for %2 s</translation>
    </message>
    <message>
        <source>Error de la base de datos: %1</source>
        <translation>Database error: %1</translation>
    </message>
    <message>
        <source>No es un archivo normal: %1</source>
        <translation>Not a regular file: %1</translation>
    </message>
    <message>
        <source>No se puede leer %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>El registro de la línea %1 de %2 pasa de %3 bytes</source>
        <translation>The record at line %1 of %2 is longer than %3 bytes</translation>
    </message>
    <message>
        <source>El archivo CSV no tiene fila de cabecera: %1</source>
        <translation>The CSV file has no header row: %1</translation>
    </message>
    <message>
        <source>Parámetro desconocido de una carpeta CSV: %1 (solo se conoce sep)</source>
        <translation>Unknown parameter of a CSV folder: %1 (only sep is known)</translation>
    </message>
    <message>
        <source>Separador CSV no válido: %1 (use sep=, sep=; o sep=tab)</source>
        <translation>Invalid CSV separator: %1 (use sep=, sep=; or sep=tab)</translation>
    </message>
    <message>
        <source>No se encuentra la tabla: %1 en %2</source>
        <translation>Table not found: %1 in %2</translation>
    </message>
    <message>
        <source>No se puede abrir la tabla %1 de %2</source>
        <translation>Cannot open table %1 of %2</translation>
    </message>
    <message>
        <source>Índice de campo fuera de rango: %1</source>
        <translation>Field index out of range: %1</translation>
    </message>
    <message>
        <source>No se encuentra el campo '%1'</source>
        <translation>Field '%1' not found</translation>
    </message>
</context>
</TS>
