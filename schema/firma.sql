-- The cash-book record: the same table in the registry of the general database and in
-- every cash-book database (one record there, the copy of the registry's), its fields copied
-- by position from the second to the last.

CREATE TABLE firma (
    firma_ind           INTEGER PRIMARY KEY AUTOINCREMENT,
    firma_kodu          VARCHAR(20)  CHECK (length(firma_kodu) <= 20),
    firma_adi           VARCHAR(100) CHECK (length(firma_adi) <= 100),
    musteri_satici      VARCHAR(15)  CHECK (length(musteri_satici) <= 15),
    firma_unvani_1      VARCHAR(100) CHECK (length(firma_unvani_1) <= 100),
    firma_unvani_2      VARCHAR(100) CHECK (length(firma_unvani_2) <= 100),
    firma_adresi_1      VARCHAR(100) CHECK (length(firma_adresi_1) <= 100),
    firma_adresi_2      VARCHAR(100) CHECK (length(firma_adresi_2) <= 100),
    adres_semt          VARCHAR(30)  CHECK (length(adres_semt) <= 30),
    adres_sehir         VARCHAR(30)  CHECK (length(adres_sehir) <= 30),
    vergi_dairesi       VARCHAR(30)  CHECK (length(vergi_dairesi) <= 30),
    vergi_no            VARCHAR(16)  CHECK (length(vergi_no) <= 16),
    telefon1_no         VARCHAR(15)  CHECK (length(telefon1_no) <= 15),
    telefon2_no         VARCHAR(15)  CHECK (length(telefon2_no) <= 15),
    fax_no              VARCHAR(15)  CHECK (length(fax_no) <= 15),
    firma_sahibi        VARCHAR(100) CHECK (length(firma_sahibi) <= 100),
    firma_irtibat_kisi  VARCHAR(50)  CHECK (length(firma_irtibat_kisi) <= 50),
    ikinci_adres1       VARCHAR(100) CHECK (length(ikinci_adres1) <= 100),
    ikinci_adres2       VARCHAR(100) CHECK (length(ikinci_adres2) <= 100),
    ikinci_adres_semt   VARCHAR(30)  CHECK (length(ikinci_adres_semt) <= 30),
    ikinci_adres_sehir  VARCHAR(30)  CHECK (length(ikinci_adres_sehir) <= 30),
    ikinci_adres_tel_no VARCHAR(15)  CHECK (length(ikinci_adres_tel_no) <= 15),
    aciklama            TEXT
);
