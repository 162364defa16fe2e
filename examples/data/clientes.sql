-- Example customers for the label demo: one label per row.
-- Every ean is a complete EAN-13 code: twelve digits and their check digit.
CREATE TABLE clientes (
  id INTEGER PRIMARY KEY,
  nombre TEXT NOT NULL,
  direccion TEXT,
  ciudad TEXT,
  cpostal TEXT,
  ean TEXT,
  preferente BOOLEAN
);
INSERT INTO clientes VALUES (1, 'Ana García López', 'Calle Mayor, 12', 'Madrid', '28013', '8412340079196', 1);
INSERT INTO clientes VALUES (2, 'Bruno Martín', 'Avenida de la Constitución 3, 2º B', 'Sevilla', '41004', '8412340158389', 0);
INSERT INTO clientes VALUES (3, 'Carla Fernández', 'Passeig de Gràcia, 45', 'Barcelona', '08007', '8412340237572', 1);
INSERT INTO clientes VALUES (4, 'Daniel O''Neill', 'Calle Colón 8', 'Valencia', '46004', '8412340316765', 0);
INSERT INTO clientes VALUES (5, 'Elena Ruiz', 'Gran Vía, 27', 'Bilbao', '48001', '8412340395951', 1);
INSERT INTO clientes VALUES (6, 'Félix Navarro', 'Plaza del Pilar 1', 'Zaragoza', '50003', '8412340475141', 0);
INSERT INTO clientes VALUES (7, 'Gema Torres', 'Calle Larios 5', 'Málaga', '29005', '8412340554334', 1);
INSERT INTO clientes VALUES (8, 'Hugo Sánchez', 'Rúa do Franco 14', 'Santiago de Compostela', '15705', '8412340633527', 0);
INSERT INTO clientes VALUES (9, 'Inés Romero', 'Calle Uría 30', 'Oviedo', '33003', '8412340712710', 0);
INSERT INTO clientes VALUES (10, 'Javier "Javi" Gil', 'Calle Real 9', 'A Coruña', '15003', '8412340791906', 1);
INSERT INTO clientes VALUES (11, 'Lucía Moreno', 'Avenida Alfonso X 22', 'Murcia', '30008', '8412340871097', 0);
INSERT INTO clientes VALUES (12, 'Manuel Ortega', 'Calle San Pedro 4', 'Pamplona', '31001', '8412340950280', 1);
INSERT INTO clientes VALUES (13, 'Nuria Castro', 'Calle Triana 60', 'Las Palmas de Gran Canaria', '35002', '8412341029473', 0);
INSERT INTO clientes VALUES (14, 'Óscar Delgado', 'Paseo de Zorrilla 101', 'Valladolid', '47006', '8412341108666', 1);
INSERT INTO clientes VALUES (15, 'Paula Vidal', 'Carrer de Sant Francesc 2', 'Palma', '07001', '8412341187852', 0);
INSERT INTO clientes VALUES (16, 'Raúl Iglesias', 'Calle Alfonso I 17', 'Zaragoza', '50003', '8412341267042', 0);
INSERT INTO clientes VALUES (17, 'Sara Molina', 'Avenida de Andalucía 50', 'Granada', '18014', '8412341346235', 1);
INSERT INTO clientes VALUES (18, 'Tomás Herrera', 'Calle Ancha 3', 'Cádiz', '11001', '8412341425428', 0);
INSERT INTO clientes VALUES (19, 'Úrsula Peña', 'Calle Toro 21', 'Salamanca', '37002', '8412341504611', 1);
INSERT INTO clientes VALUES (20, 'Víctor Campos', 'Calle Mayor 1', 'Madrid', '28013', '8412341583807', 0);

-- Shipments for the logistics label: one 100 x 150 mm label per row. Every
-- SSCC (with its application identifier), GTIN-14 and the GTIN inside the GS1 element string carry their check digit.
CREATE TABLE envios (
  id INTEGER PRIMARY KEY,
  pedido TEXT NOT NULL,
  destinatario TEXT,
  direccion TEXT,
  ciudad TEXT,
  cpostal TEXT,
  bultos INTEGER,
  sscc TEXT,
  gtin14 TEXT,
  producto TEXT,
  seguimiento TEXT
);
INSERT INTO envios VALUES (1, 'PED-2024-000101', 'Ana García López', 'Calle Mayor, 12', 'Madrid', '28013', 2, '(00)084123400001000014', '18412340158386', '(01)08412340158389(17)270630(10)L24A02', 'https://seguimiento.example.com/envio/ES24000101');
INSERT INTO envios VALUES (2, 'PED-2024-000102', 'Bruno Martín', 'Avenida de la Constitución 3, 2º B', 'Sevilla', '41004', 3, '(00)084123400001000021', '18412340237579', '(01)08412340237572(17)260915(10)L24B07', 'https://seguimiento.example.com/envio/ES24000102');
INSERT INTO envios VALUES (3, 'PED-2024-000103', 'Carla Fernández', 'Passeig de Gràcia, 45', 'Barcelona', '08007', 1, '(00)084123400001000038', '18412340316762', '(01)08412340316765(17)271130(10)L24C11', 'https://seguimiento.example.com/envio/ES24000103');
INSERT INTO envios VALUES (4, 'PED-2024-000104', 'Daniel O''Neill', 'Calle Colón 8', 'Valencia', '46004', 2, '(00)084123400001000045', '18412340079193', '(01)08412340079196(17)261231(10)L24A01', 'https://seguimiento.example.com/envio/ES24000104');
INSERT INTO envios VALUES (5, 'PED-2024-000105', 'Elena Ruiz', 'Gran Vía, 27', 'Bilbao', '48001', 3, '(00)084123400001000052', '18412340158386', '(01)08412340158389(17)270630(10)L24A02', 'https://seguimiento.example.com/envio/ES24000105');
INSERT INTO envios VALUES (6, 'PED-2024-000106', 'Félix Navarro', 'Plaza del Pilar 1', 'Zaragoza', '50003', 1, '(00)084123400001000069', '18412340237579', '(01)08412340237572(17)260915(10)L24B07', 'https://seguimiento.example.com/envio/ES24000106');
INSERT INTO envios VALUES (7, 'PED-2024-000107', 'Gema Torres', 'Calle Larios 5', 'Málaga', '29005', 2, '(00)084123400001000076', '18412340316762', '(01)08412340316765(17)271130(10)L24C11', 'https://seguimiento.example.com/envio/ES24000107');
INSERT INTO envios VALUES (8, 'PED-2024-000108', 'Hugo Sánchez', 'Rúa do Franco 14', 'Santiago de Compostela', '15705', 3, '(00)084123400001000083', '18412340079193', '(01)08412340079196(17)261231(10)L24A01', 'https://seguimiento.example.com/envio/ES24000108');
INSERT INTO envios VALUES (9, 'PED-2024-000109', 'Inés Romero', 'Calle Uría 30', 'Oviedo', '33003', 1, '(00)084123400001000090', '18412340158386', '(01)08412340158389(17)270630(10)L24A02', 'https://seguimiento.example.com/envio/ES24000109');
INSERT INTO envios VALUES (10, 'PED-2024-000110', 'Javier Gil', 'Calle Real 9', 'A Coruña', '15003', 2, '(00)084123400001000106', '18412340237579', '(01)08412340237572(17)260915(10)L24B07', 'https://seguimiento.example.com/envio/ES24000110');
INSERT INTO envios VALUES (11, 'PED-2024-000111', 'Lucía Moreno', 'Avenida Alfonso X 22', 'Murcia', '30008', 3, '(00)084123400001000113', '18412340316762', '(01)08412340316765(17)271130(10)L24C11', 'https://seguimiento.example.com/envio/ES24000111');
INSERT INTO envios VALUES (12, 'PED-2024-000112', 'Manuel Ortega', 'Calle San Pedro 4', 'Pamplona', '31001', 1, '(00)084123400001000120', '18412340079193', '(01)08412340079196(17)261231(10)L24A01', 'https://seguimiento.example.com/envio/ES24000112');
