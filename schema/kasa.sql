-- A cash-book database: the template Kasa.mdb, AnaData/Kasa.mdb and every
-- Data/<code><year>.mdb file are created from this text.
-- Days are ISO text YYYY-MM-DD in columns declared DATE; amounts and rates are REAL.
-- Text widths are enforced by the database, so no value longer than its column is stored.

CREATE TABLE nakit (
    nid              INTEGER PRIMARY KEY AUTOINCREMENT,
    cekid            INTEGER,
    firmaid          INTEGER,
    firmakodu        VARCHAR(20)  CHECK (length(firmakodu) <= 20),
    firmaadi         VARCHAR(50)  CHECK (length(firmaadi) <= 50),
    bankaid          INTEGER,
    bankakodu        VARCHAR(20)  CHECK (length(bankakodu) <= 20),
    bankaadi         VARCHAR(50)  CHECK (length(bankaadi) <= 50),
    islem_tarihi     DATE,
    islem_vadesi     DATE,
    borc_tutar       REAL,
    alacak_tutar     REAL,
    neden            VARCHAR(50)  CHECK (length(neden) <= 50),
    doviz_cinsi      VARCHAR(5)   CHECK (length(doviz_cinsi) <= 5),
    doviz_borc       REAL,
    doviz_alacak     REAL,
    hes_dov_cinsi    VARCHAR(5)   CHECK (length(hes_dov_cinsi) <= 5),
    hes_doviz_borc   REAL,
    hes_doviz_alacak REAL,
    aciklama         VARCHAR(200) CHECK (length(aciklama) <= 200),
    kur_farki        REAL,
    doviz_kuru       REAL,
    fatura_KDV       REAL,
    fatura_no        VARCHAR(15)  CHECK (length(fatura_no) <= 15),
    fatura_seri      VARCHAR(5)   CHECK (length(fatura_seri) <= 5),
    irsaliye_no      VARCHAR(15)  CHECK (length(irsaliye_no) <= 15),
    irsaliye_seri    VARCHAR(5)   CHECK (length(irsaliye_seri) <= 5)
);

-- A day in one currency (the movement list, the day totals' upkeep) and a day in all
-- currencies (the movement list under "Hepsi").
CREATE INDEX nakit_doviz_tarih ON nakit (doviz_cinsi, islem_tarihi);
CREATE INDEX nakit_tarih ON nakit (islem_tarihi);

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

CREATE TABLE resimnakit (
    rid       INTEGER PRIMARY KEY AUTOINCREMENT,
    cekid     INTEGER,
    firmaid   INTEGER,
    resimadi  VARCHAR(30)  CHECK (length(resimadi) <= 30),
    firmakodu VARCHAR(20)  CHECK (length(firmakodu) <= 20),
    firmaadi  VARCHAR(30)  CHECK (length(firmaadi) <= 30),
    cirocekid INTEGER,
    resim     BLOB,
    aciklama  VARCHAR(100) CHECK (length(aciklama) <= 100),
    nakidid   INTEGER,
    bordroid  INTEGER
);

CREATE INDEX resimnakit_nakidid ON resimnakit (nakidid);

-- Per-day, per-currency totals of nakit, kept exact by the triggers below in the same
-- transaction as every change of a movement. The day figures, the date list and the
-- currency summary read it, so their cost follows the number of days, not the number of
-- movements; nakit stays the one source of truth.
--   borc, alacak: sums of borc_tutar, alacak_tutar (meaningful when their count is > 0);
--   borc_adet, alacak_adet: how many movements have a money-in or money-out value;
--   borc_arti, alacak_arti: sums of the amounts greater than zero only;
--   adet: movements of the day and currency (a row with none is removed).
CREATE TABLE nakit_gunluk (
    islem_tarihi DATE,
    doviz_cinsi  VARCHAR(5),
    borc         REAL NOT NULL DEFAULT 0,
    borc_adet    INTEGER NOT NULL DEFAULT 0,
    alacak       REAL NOT NULL DEFAULT 0,
    alacak_adet  INTEGER NOT NULL DEFAULT 0,
    borc_arti    REAL NOT NULL DEFAULT 0,
    alacak_arti  REAL NOT NULL DEFAULT 0,
    adet         INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX nakit_gunluk_doviz_tarih ON nakit_gunluk (doviz_cinsi, islem_tarihi);

-- A new movement adds to its day's totals.
CREATE TRIGGER nakit_gunluk_ekle AFTER INSERT ON nakit BEGIN
    INSERT INTO nakit_gunluk (islem_tarihi, doviz_cinsi)
        SELECT NEW.islem_tarihi, NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_gunluk
                          WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi);
    UPDATE nakit_gunluk SET
        borc = borc + IFNULL(NEW.borc_tutar, 0),
        borc_adet = borc_adet + (NEW.borc_tutar IS NOT NULL),
        alacak = alacak + IFNULL(NEW.alacak_tutar, 0),
        alacak_adet = alacak_adet + (NEW.alacak_tutar IS NOT NULL),
        borc_arti = borc_arti + (CASE WHEN NEW.borc_tutar > 0 THEN NEW.borc_tutar ELSE 0 END),
        alacak_arti = alacak_arti + (CASE WHEN NEW.alacak_tutar > 0 THEN NEW.alacak_tutar ELSE 0 END),
        adet = adet + 1
    WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi;
END;

-- A changed or deleted movement has its old day's totals summed anew from the movements of
-- that day, so no rounding of a subtraction ever stays in them.
CREATE TRIGGER nakit_gunluk_sil AFTER DELETE ON nakit BEGIN
    UPDATE nakit_gunluk SET (borc, borc_adet, alacak, alacak_adet, borc_arti, alacak_arti, adet) =
        (SELECT IFNULL(SUM(borc_tutar), 0), COUNT(borc_tutar), IFNULL(SUM(alacak_tutar), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN borc_tutar END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN alacak_tutar END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi)
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi;
    DELETE FROM nakit_gunluk
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi AND adet = 0;
END;

CREATE TRIGGER nakit_gunluk_degistir
AFTER UPDATE OF islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar ON nakit BEGIN
    UPDATE nakit_gunluk SET (borc, borc_adet, alacak, alacak_adet, borc_arti, alacak_arti, adet) =
        (SELECT IFNULL(SUM(borc_tutar), 0), COUNT(borc_tutar), IFNULL(SUM(alacak_tutar), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN borc_tutar END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN alacak_tutar END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi)
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi;
    DELETE FROM nakit_gunluk
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi AND adet = 0;
    INSERT INTO nakit_gunluk (islem_tarihi, doviz_cinsi)
        SELECT NEW.islem_tarihi, NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_gunluk
                          WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi);
    UPDATE nakit_gunluk SET (borc, borc_adet, alacak, alacak_adet, borc_arti, alacak_arti, adet) =
        (SELECT IFNULL(SUM(borc_tutar), 0), COUNT(borc_tutar), IFNULL(SUM(alacak_tutar), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN borc_tutar END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN alacak_tutar END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi)
    WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi;
END;
