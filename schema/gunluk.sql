-- Per-day, per-currency totals of nakit, kept exact by the triggers below in the same
-- transaction as every change of a movement. The day figures, the date list and the
-- currency summary read it, so their cost follows the number of days, not the number of
-- movements; nakit stays the one source of truth. Sums are whole kuruş: every amount counts
-- as its value rounded half away from zero to two decimals, as the grid shows it, and the
-- kuruş add as integers, so no binary rounding ever enters a balance.
--   borc_kurus, alacak_kurus: sums of borc_tutar, alacak_tutar in kuruş (meaningful when
--     their count is > 0);
--   borc_adet, alacak_adet: how many movements have a money-in or money-out value;
--   borc_arti_kurus, alacak_arti_kurus: sums of the amounts greater than zero only;
--   adet: movements of the day and currency (a row with none is removed).
-- An older form of the table, which summed the amounts as REAL, is replaced.
DROP TRIGGER IF EXISTS nakit_gunluk_ekle;
DROP TRIGGER IF EXISTS nakit_gunluk_sil;
DROP TRIGGER IF EXISTS nakit_gunluk_degistir;
DROP TABLE IF EXISTS nakit_gunluk;

CREATE TABLE nakit_gunluk (
    islem_tarihi      DATE,
    doviz_cinsi       VARCHAR(5),
    borc_kurus        INTEGER NOT NULL DEFAULT 0,
    borc_adet         INTEGER NOT NULL DEFAULT 0,
    alacak_kurus      INTEGER NOT NULL DEFAULT 0,
    alacak_adet       INTEGER NOT NULL DEFAULT 0,
    borc_arti_kurus   INTEGER NOT NULL DEFAULT 0,
    alacak_arti_kurus INTEGER NOT NULL DEFAULT 0,
    adet              INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX nakit_gunluk_doviz_tarih ON nakit_gunluk (doviz_cinsi, islem_tarihi);

-- A new movement adds to its day's totals.
CREATE TRIGGER nakit_gunluk_ekle AFTER INSERT ON nakit BEGIN
    INSERT INTO nakit_gunluk (islem_tarihi, doviz_cinsi)
        SELECT NEW.islem_tarihi, NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_gunluk
                          WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi);
    UPDATE nakit_gunluk SET
        borc_kurus = borc_kurus + IFNULL(CAST(NEW.borc_tutar * 100 + (CASE WHEN NEW.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        borc_adet = borc_adet + (NEW.borc_tutar IS NOT NULL),
        alacak_kurus = alacak_kurus + IFNULL(CAST(NEW.alacak_tutar * 100 + (CASE WHEN NEW.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        alacak_adet = alacak_adet + (NEW.alacak_tutar IS NOT NULL),
        borc_arti_kurus = borc_arti_kurus +
            (CASE WHEN NEW.borc_tutar > 0 THEN CAST(NEW.borc_tutar * 100 + (CASE WHEN NEW.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) ELSE 0 END),
        alacak_arti_kurus = alacak_arti_kurus +
            (CASE WHEN NEW.alacak_tutar > 0 THEN CAST(NEW.alacak_tutar * 100 + (CASE WHEN NEW.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) ELSE 0 END),
        adet = adet + 1
    WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi;
END;

-- A changed or deleted movement has its old day's totals summed anew from the movements of
-- that day.
CREATE TRIGGER nakit_gunluk_sil AFTER DELETE ON nakit BEGIN
    UPDATE nakit_gunluk SET (borc_kurus, borc_adet, alacak_kurus, alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet) =
        (SELECT IFNULL(SUM(CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0), COUNT(borc_tutar), IFNULL(SUM(CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi)
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi;
    DELETE FROM nakit_gunluk
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi AND adet = 0;
END;

CREATE TRIGGER nakit_gunluk_degistir
AFTER UPDATE OF islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar ON nakit BEGIN
    UPDATE nakit_gunluk SET (borc_kurus, borc_adet, alacak_kurus, alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet) =
        (SELECT IFNULL(SUM(CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0), COUNT(borc_tutar), IFNULL(SUM(CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi)
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi;
    DELETE FROM nakit_gunluk
    WHERE doviz_cinsi IS OLD.doviz_cinsi AND islem_tarihi IS OLD.islem_tarihi AND adet = 0;
    INSERT INTO nakit_gunluk (islem_tarihi, doviz_cinsi)
        SELECT NEW.islem_tarihi, NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_gunluk
                          WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi);
    UPDATE nakit_gunluk SET (borc_kurus, borc_adet, alacak_kurus, alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet) =
        (SELECT IFNULL(SUM(CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0), COUNT(borc_tutar), IFNULL(SUM(CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0),
                COUNT(alacak_tutar),
                IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0),
                IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0), COUNT(*)
         FROM nakit WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi)
    WHERE doviz_cinsi IS NEW.doviz_cinsi AND islem_tarihi IS NEW.islem_tarihi;
END;

-- Totals of the movements already there (when an older cash-book database gets the table).
INSERT INTO nakit_gunluk (islem_tarihi, doviz_cinsi, borc_kurus, borc_adet, alacak_kurus,
                          alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet)
    SELECT islem_tarihi, doviz_cinsi, IFNULL(SUM(CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0), COUNT(borc_tutar),
           IFNULL(SUM(CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER)), 0), COUNT(alacak_tutar),
           IFNULL(SUM(CASE WHEN borc_tutar > 0 THEN CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0),
           IFNULL(SUM(CASE WHEN alacak_tutar > 0 THEN CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER) END), 0), COUNT(*)
    FROM nakit GROUP BY islem_tarihi, doviz_cinsi;
