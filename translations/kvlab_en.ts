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
</context>
</TS>
