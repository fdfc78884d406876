-- Content of the start-selection database. Every value is one the program
-- relies on elsewhere, named with the rule it follows; every other column is
-- neutral.

-- The row index of an application picks the project kind: 0 the other
-- product line, 1 the panels of this tool.
INSERT INTO Apps (rowid, Name) VALUES (1, 'TEQPRO'), (2, 'ORVPRO');

-- The panel types: the family each compiler and decompiler takes ("mini"
-- the 043 family, "plus" the 118 family, "midi" the 706 family). A text
-- kind's flag is set where the source reader accepts that kind on every
-- panel of the type. History texts are read only on the 706; the start
-- selection reports TxtHst for that panel alone.
INSERT INTO DevTyps (App, Name, TxtSts, TxtDft, TxtOp, TxtMsg, TxtHst, TxtRcpMgr, TxtRcp, TxtSys, TxtPrtOp, TxtPrtMsg, TxtPrtRcp, TxtHlpDft, TxtHlpMnu, TxtHlpInf, TxtHlpWrn, TxtHlpFlt, TxtHlpMsg, TxtHlpRcp, TxtHlpOp, TxtHlpHst, TxtHlpRcpDlg, TxtHlpPwd, TxtRcpDlg) VALUES
    ('ORVPRO', 'mini', 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0),
    ('ORVPRO', 'plus', 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0),
    ('ORVPRO', 'midi', 0, 0, 1, 1, 1, 0, 1, 0, 1, 1, 0, 1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0);

-- The panels in the order the display editor numbers its pictures. Columns
-- and rows are the operator-text geometry the model and the source reader
-- use; NumSK the function keys of the panel (755 as 47); FntNam the panel
-- font the character set is drawn with. BmpWid and BmpHei are the picture
-- sizes; the display rectangle lies inside the picture.
INSERT INTO Devices (App, Name, ZeroBasedId, DevId, Typ, NumDspRows, NumDspCols, NumSK, DspLft, DspTop, DspWid, DspHei, BmpWid, BmpHei, FntNam) VALUES
    ('ORVPRO', 'ORV 014', 0, 14, 'mini', 4, 20, 8, 80, 90, 240, 60, 400, 600, 'alt'),
    ('ORVPRO', 'ORVlight', 1, 36, 'mini', 2, 40, 8, 160, 80, 480, 53, 800, 534, 'alt'),
    ('ORVPRO', 'ORV 043', 2, 43, 'mini', 2, 40, 8, 132, 90, 398, 60, 664, 600, 'alt'),
    ('ORVPRO', 'ORV 047', 3, 47, 'mini', 4, 40, 16, 132, 90, 398, 60, 664, 600, 'alt'),
    ('ORVPRO', 'ORV 047.2', 4, 755, 'mini', 4, 40, 16, 160, 69, 480, 46, 800, 466, 'int'),
    ('ORVPRO', 'ORV 706', 5, 706, 'midi', 2, 40, 20, 132, 90, 398, 60, 664, 600, '706'),
    ('ORVPRO', 'ORV 473', 6, 473, 'midi', 2, 40, 16, 132, 90, 398, 60, 664, 600, 'alt'),
    ('ORVPRO', 'ORV 477', 7, 477, 'midi', 4, 40, 16, 79, 90, 239, 60, 399, 600, 'int'),
    ('ORVPRO', 'ORV 014plus', 8, 118, 'plus', 4, 20, 8, 160, 80, 480, 53, 800, 534, 'int'),
    ('ORVPRO', 'ORV 163', 9, 163, 'plus', 2, 40, 8, 132, 89, 398, 59, 664, 598, 'int'),
    ('ORVPRO', 'ORV 167', 10, 167, 'plus', 4, 40, 16, 160, 80, 480, 53, 800, 534, 'int');

-- The PLC types by the number the project keeps; Name is the key of the
-- configuration files, DwCpt the caption of the PLC window. Where the
-- data-word range rule of a type is the plain rule (last start M, length
-- limit C, area end E) the limits are M, C - 1 and E - 1; other types get the
-- widest limits. DwBisDft is the largest last word up to 255 that the range
-- checks pass from word 0. Types 20 and 37 number their words in hex; the DB
-- edit shows for type 33, and DB numbers 1..255 are what the tool
-- configuration keeps.
INSERT INTO SPSTyps (spsID, Name, DwCpt, DwVonDft, DwVonDsp, DwVonEdt, DwBisDft, DwBisDsp, DwDecNum, DwDecEdt, DwIsHex, DbDft, DwMin, DwMax, DwDifMin, DwDifMax, DwBisMax, DbMin, DbMax) VALUES
    (0, 'ABB_CS31_ARCNET_MW', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (1, 'ABB_CS31_MW', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (2, 'ABB_MP90_PD', 'PD', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65534, 0, 255, 65534, 1, 255),
    (3, 'ABB_T200_MW', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (4, 'ABB_T200E', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (5, 'AEG_AB', 'AB x.', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (6, 'AEG_MW_A250', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 15000, 0, 255, 15000, 1, 255),
    (7, 'AEG_MW', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 1985, 0, 255, 1985, 1, 255),
    (8, 'AEG_R', 'R', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 41872, 0, 255, 41872, 1, 255),
    (9, 'ALLEN_BRADLEY', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (10, 'B_U_R', 'Counter', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (11, 'BOSCH', 'DxW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (12, 'CEGELEC100', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (13, 'CEGELEC170', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 32535, 0, 255, 32535, 1, 255),
    (14, 'CROUZET', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (15, 'EBERLE', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (16, 'FESTO_DW', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (17, 'FESTO_FE', 'FE', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 4095, 0, 255, 4095, 1, 255),
    (18, 'FESTO_MB', 'MB', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (19, 'GE_FANUC', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 2048, 0, 255, 2048, 1, 255),
    (20, 'HITACHI', 'WM', 0, 1, 1, 255, 1, 0, 0, 1, 0, 0, 1023, 0, 255, 1023, 1, 255),
    (21, 'IPC', 'Wort', 0, 1, 1, 199, 1, 0, 0, 0, 0, 0, 8191, 0, 199, 8191, 1, 255),
    (22, 'IZUMI_IDEC', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 999, 0, 255, 999, 1, 255),
    (23, 'IDEC_MICRO3', 'DW', 0, 1, 1, 99, 1, 0, 0, 0, 0, 0, 99, 0, 99, 99, 1, 255),
    (24, 'KLOECKNER_MOELLER_MW', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (25, 'KLOECKNER_MOELLER', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (26, 'MATSUSHITA', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 8999, 0, 255, 8999, 1, 255),
    (27, 'MITSUBISHI', 'D', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (28, 'OMRON', 'DM', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 9999, 0, 255, 9999, 1, 255),
    (29, 'PHILIPS', 'MW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 3261, 0, 255, 3261, 1, 255),
    (30, 'SAIA', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (31, 'SAMSUNG', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 8999, 0, 255, 8999, 1, 255),
    (32, 'SELECTRON_CAN', 'Array', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (33, 'SIEMENS_DW', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 50, 0, 65535, 0, 65535, 0, 1, 255),
    (34, 'SIEMENS_MB', 'MB', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (35, 'SIEMENS_VW', 'VW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (36, 'SIEMENS_DBW', 'DBW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (37, 'SPRECHER_SCHUH', 'WM', 0, 1, 1, 255, 1, 0, 0, 1, 0, 0, 1023, 0, 255, 1023, 1, 255),
    (38, 'SULZER', 'PW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (39, 'TECOMAT', 'RW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (40, 'TELEMECANIQUE', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 255, 65535, 1, 255),
    (41, 'TOSHIBA', 'D', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 1535, 0, 255, 1535, 1, 255),
    (42, 'SIEMENS_MPI', 'Adresse', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (43, 'SIG_POSITEC', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (44, 'SONSTIGE', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65534, 0, 255, 65534, 1, 255),
    (45, 'BAUMUELLER', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255),
    (46, 'SELECTRON', 'D', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 4999, 0, 255, 4999, 1, 255),
    (47, 'SEW_MOVITRAC', 'DW', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (48, 'PC', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 255, 0, 255, 255, 1, 255),
    (49, 'UNKNOWN', 'Wort', 0, 1, 1, 255, 1, 0, 0, 0, 0, 0, 65535, 0, 65535, 0, 1, 255);

-- The drivers by the number the project keeps; Name is the protocol the
-- panel link names for the driver's file, else the driver's key. Driver 50
-- serves three offsets under ids of their own, which the start selection
-- divides by 100.
INSERT INTO Drivers (drvID, Name) VALUES
    (0, 'CS31 Direkt-Protokoll'),
    (1, 'CS31-ArcNET Direkt-Protokoll'),
    (2, 'T200 Direkt-Protokoll'),
    (3, 'MODBUS 1-Protokoll'),
    (4, 'MODBUS-Protokoll'),
    (5, 'KELMIR-Protokoll'),
    (6, 'INTERBUS-S (ORV 621) Protokoll'),
    (7, 'INTERBUS-S (ORV 614) Protokoll'),
    (8, 'ARCNET-Protokoll'),
    (9, 'BKOS Direkt-Protokoll'),
    (10, 'BKOS-Protokoll'),
    (11, 'Protokoll DF1'),
    (12, 'Protokoll DH485 Direkt'),
    (13, 'Protokoll DH485'),
    (14, 'BUEP19E Direkt-Protokoll'),
    (15, 'BUEP19E-Protokoll'),
    (16, 'BUEP19-Protokoll'),
    (17, 'C100-Protokoll'),
    (18, 'C170-Protokoll'),
    (19, 'RPX Direkt-Protokoll'),
    (20, 'Protokoll PLS 508(520) Direkt'),
    (21, 'Protokoll PLS 508(520) Direkt'),
    (22, 'Protokoll PLS 520 S-2'),
    (23, 'SNP Direkt-Protokoll'),
    (24, 'SNP-X Protokoll'),
    (25, 'SNP-Protokoll'),
    (26, 'TCP1 Direkt-Protokoll'),
    (27, 'IPC620 Direkt-Protokoll'),
    (28, 'FA-3S Protokoll'),
    (29, 'MICRO3 Direkt-Protokoll'),
    (30, 'SUCOM-A (PS306/316/416) Protokoll'),
    (31, 'SUCOM-A (PS4-201) Protokoll'),
    (32, 'Protokoll A-Serie Zusatzmodul'),
    (33, 'Protokoll A-Serie Direkt'),
    (34, 'Protokoll A-Serie'),
    (35, 'MATSUSHITA MEWTOCOL-COM Direkt-Protokoll'),
    (36, 'Protokoll FX-Serie Direkt'),
    (37, 'Protokoll FX-Serie'),
    (38, 'HOST LINK Selektiv-Protokoll'),
    (39, 'HOST LINK Direkt-Protokoll'),
    (40, 'HOST LINK-Protokoll'),
    (41, 'P8 Direkt-Protokoll'),
    (42, 'SAMSUNG MEWTOCOL-COM Direkt-Protokoll'),
    (43, 'S-BUS Protokoll'),
    (44, 'L1-Protokoll'),
    (45, 'AS511-Protokoll CPU 945'),
    (46, 'AS511-Protokoll'),
    (47, 'PROFIBUS-DP (ORV 617) Protokoll'),
    (48, 'S7-200 Direkt-Protokoll'),
    (49, 'S7-200 Protokoll'),
    (50, 'SICOS-Protokoll'),
    (51, 'TECO Direkt-Protokoll'),
    (52, 'TSX Direkt-Protokoll'),
    (53, 'UNI-TELWAY Direkt-Protokoll'),
    (54, 'PL7-3 UNI-TELWAY Protokoll'),
    (55, 'PL7-2 UNI-TELWAY Protokoll'),
    (56, 'TOSHIBA Direkt-Protokoll'),
    (57, 'PPCCOM-Protokoll'),
    (58, 'TCP1 Selektiv-Protokoll'),
    (59, 'T200-Protokoll'),
    (60, 'PROFIBUS-DP (ORV 617) Protokoll'),
    (61, 'MPI-Multi Protokoll'),
    (62, 'MPI-Multi Protokoll'),
    (63, 'MPI-DB Protokoll'),
    (64, 'INTERBUS Protokoll'),
    (65, 'Baumüller-Omega-Protokoll'),
    (66, 'TCP-Protokoll'),
    (67, '473SELECAN Protokoll'),
    (68, 'MPI_PROFI'),
    (69, 'PPVCOM Direkt Protokoll'),
    (70, '??'),
    (71, 'DEVICENET Protokoll'),
    (72, 'Multi PLC (ORV 622) Protokoll'),
    (73, 'SEW Protokoll'),
    (74, 'Protokoll DF1 direkt'),
    (75, 'Profibus-DP Protokoll'),
    (76, 'INTERBUS-S Protokoll'),
    (77, 'MPI Multi-SPS Protokoll'),
    (78, 'UNKNOWN'),
    (5001, 'SICOS-Protokoll (Offset 1000)'),
    (5002, 'SICOS-Protokoll (Offset 2000)'),
    (5003, 'SICOS-Protokoll (Offset 3000)');

-- The PLC types and drivers each panel type offers. Which driver a single
-- panel supports is not known here, so every pair is offered on every type:
-- PLC type 33 with driver 5 (the project manager's default) and the drivers
-- the data-word range rule names. The 706-family panels transfer to a 473 or
-- 477 only with the driver of its fieldbus kind, so "midi" also offers those
-- with PLC type 33, the one type paired with every panel.
INSERT INTO SPSDrvOfDevTyps (DevTyp, spsID, DrvId) VALUES
    ('mini', 33, 5),
    ('mini', 9, 11),
    ('mini', 9, 13),
    ('mini', 9, 74),
    ('mini', 12, 17),
    ('mini', 12, 23),
    ('mini', 12, 25),
    ('mini', 15, 20),
    ('mini', 15, 21),
    ('mini', 15, 22),
    ('mini', 25, 5),
    ('mini', 25, 30),
    ('mini', 27, 32),
    ('mini', 27, 33),
    ('mini', 27, 34),
    ('mini', 27, 36),
    ('mini', 27, 37),
    ('plus', 33, 5),
    ('plus', 9, 11),
    ('plus', 9, 13),
    ('plus', 9, 74),
    ('plus', 12, 17),
    ('plus', 12, 23),
    ('plus', 12, 25),
    ('plus', 15, 20),
    ('plus', 15, 21),
    ('plus', 15, 22),
    ('plus', 25, 5),
    ('plus', 25, 30),
    ('plus', 27, 32),
    ('plus', 27, 33),
    ('plus', 27, 34),
    ('plus', 27, 36),
    ('plus', 27, 37),
    ('midi', 33, 5),
    ('midi', 9, 11),
    ('midi', 9, 13),
    ('midi', 9, 74),
    ('midi', 12, 17),
    ('midi', 12, 23),
    ('midi', 12, 25),
    ('midi', 15, 20),
    ('midi', 15, 21),
    ('midi', 15, 22),
    ('midi', 25, 5),
    ('midi', 25, 30),
    ('midi', 27, 32),
    ('midi', 27, 33),
    ('midi', 27, 34),
    ('midi', 27, 36),
    ('midi', 27, 37),
    ('midi', 33, 60),
    ('midi', 33, 61),
    ('midi', 33, 64),
    ('midi', 33, 67),
    ('midi', 33, 71);

-- No driver brings data-word parameters of its own.
