-- A cash book's year on the PostgreSQL server: what its schema holds beside the tables of
-- kasa.sql, firma.sql and gecmis.sql (made from those descriptions). Run with the year's
-- schema alone on the search path, as one text, after the tables. Every function keeps that
-- search path, so a trigger writes into its own year whatever year a connection reads.
--
-- The per-day and the yearly totals. Several desks save into the same day and currency at
-- once, so a single total row per day would make every save wait for the previous desk's
-- commit. Each connection therefore adds into its own part of the totals (parca: its server
-- process number, which no two live connections share, so no two desks ever wait for each
-- other's totals, nor lock them in opposite orders): the change of a movement adds its new values and subtracts its old
-- ones, in whole kuruş, in the same transaction, into that part. Kuruş are integers, so adding
-- and subtracting is exact whatever the interleaving of the desks, and no day is ever summed
-- anew from a snapshot that could miss another desk's insert. nakit_gunluk and nakit_yillik
-- are views that add the parts up, with the same columns as the tables of a local file, so
-- every reader's statement is the same on both engines.

-- A movement amount in kuruş: its value rounded half away from zero to two decimals, exactly
-- as a local file's triggers count it.
CREATE FUNCTION kurus(tutar DOUBLE PRECISION) RETURNS BIGINT
    LANGUAGE sql IMMUTABLE
    RETURN CAST(trunc(tutar * 100 + (CASE WHEN tutar < 0 THEN -0.5 ELSE 0.5 END)) AS BIGINT);

CREATE TABLE nakit_gunluk_parca (
    islem_tarihi      VARCHAR(10),
    doviz_cinsi       VARCHAR(5),
    parca             INTEGER NOT NULL,
    borc_kurus        BIGINT NOT NULL DEFAULT 0,
    borc_adet         BIGINT NOT NULL DEFAULT 0,
    alacak_kurus      BIGINT NOT NULL DEFAULT 0,
    alacak_adet       BIGINT NOT NULL DEFAULT 0,
    borc_arti_kurus   BIGINT NOT NULL DEFAULT 0,
    alacak_arti_kurus BIGINT NOT NULL DEFAULT 0,
    adet              BIGINT NOT NULL DEFAULT 0,
    CONSTRAINT nakit_gunluk_parca_gun UNIQUE NULLS NOT DISTINCT (doviz_cinsi, islem_tarihi, parca)
);

CREATE VIEW nakit_gunluk AS
    SELECT islem_tarihi, doviz_cinsi,
           CAST(SUM(borc_kurus) AS BIGINT) AS borc_kurus,
           CAST(SUM(borc_adet) AS BIGINT) AS borc_adet,
           CAST(SUM(alacak_kurus) AS BIGINT) AS alacak_kurus,
           CAST(SUM(alacak_adet) AS BIGINT) AS alacak_adet,
           CAST(SUM(borc_arti_kurus) AS BIGINT) AS borc_arti_kurus,
           CAST(SUM(alacak_arti_kurus) AS BIGINT) AS alacak_arti_kurus,
           CAST(SUM(adet) AS BIGINT) AS adet
    FROM nakit_gunluk_parca
    GROUP BY doviz_cinsi, islem_tarihi
    HAVING SUM(adet) <> 0;

CREATE TABLE nakit_yillik_parca (
    doviz_cinsi  VARCHAR(5),
    parca        INTEGER NOT NULL,
    borc_kurus   BIGINT NOT NULL DEFAULT 0,
    alacak_kurus BIGINT NOT NULL DEFAULT 0,
    adet         BIGINT NOT NULL DEFAULT 0,
    CONSTRAINT nakit_yillik_parca_doviz UNIQUE NULLS NOT DISTINCT (doviz_cinsi, parca)
);

CREATE VIEW nakit_yillik AS
    SELECT doviz_cinsi,
           CAST(SUM(borc_kurus) AS BIGINT) AS borc_kurus,
           CAST(SUM(alacak_kurus) AS BIGINT) AS alacak_kurus,
           CAST(SUM(adet) AS BIGINT) AS adet
    FROM nakit_yillik_parca
    GROUP BY doviz_cinsi
    HAVING SUM(adet) <> 0;

-- Adds one movement's figures (isaret 1) or takes them away (isaret -1) in this connection's
-- part of its day's and its currency's totals.
CREATE FUNCTION nakit_toplamlara_ekle(tarih VARCHAR, doviz VARCHAR, borc DOUBLE PRECISION,
                                      alacak DOUBLE PRECISION, isaret INTEGER)
    RETURNS VOID LANGUAGE plpgsql SET search_path FROM CURRENT AS $$
DECLARE
    parca_no INTEGER := pg_backend_pid();
BEGIN
    INSERT INTO nakit_gunluk_parca AS g (islem_tarihi, doviz_cinsi, parca, borc_kurus,
        borc_adet, alacak_kurus, alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet)
    VALUES (tarih, doviz, parca_no,
        isaret * COALESCE(kurus(borc), 0), isaret * (CASE WHEN borc IS NULL THEN 0 ELSE 1 END),
        isaret * COALESCE(kurus(alacak), 0), isaret * (CASE WHEN alacak IS NULL THEN 0 ELSE 1 END),
        isaret * (CASE WHEN borc > 0 THEN kurus(borc) ELSE 0 END),
        isaret * (CASE WHEN alacak > 0 THEN kurus(alacak) ELSE 0 END), isaret)
    ON CONFLICT ON CONSTRAINT nakit_gunluk_parca_gun DO UPDATE SET
        borc_kurus = g.borc_kurus + EXCLUDED.borc_kurus,
        borc_adet = g.borc_adet + EXCLUDED.borc_adet,
        alacak_kurus = g.alacak_kurus + EXCLUDED.alacak_kurus,
        alacak_adet = g.alacak_adet + EXCLUDED.alacak_adet,
        borc_arti_kurus = g.borc_arti_kurus + EXCLUDED.borc_arti_kurus,
        alacak_arti_kurus = g.alacak_arti_kurus + EXCLUDED.alacak_arti_kurus,
        adet = g.adet + EXCLUDED.adet;
    INSERT INTO nakit_yillik_parca AS y (doviz_cinsi, parca, borc_kurus, alacak_kurus, adet)
    VALUES (doviz, parca_no, isaret * COALESCE(kurus(borc), 0),
        isaret * COALESCE(kurus(alacak), 0), isaret)
    ON CONFLICT ON CONSTRAINT nakit_yillik_parca_doviz DO UPDATE SET
        borc_kurus = y.borc_kurus + EXCLUDED.borc_kurus,
        alacak_kurus = y.alacak_kurus + EXCLUDED.alacak_kurus,
        adet = y.adet + EXCLUDED.adet;
END;
$$;

CREATE FUNCTION nakit_toplamlar() RETURNS TRIGGER LANGUAGE plpgsql SET search_path FROM CURRENT AS $$
BEGIN
    IF TG_OP IN ('UPDATE', 'DELETE') THEN
        PERFORM nakit_toplamlara_ekle(OLD.islem_tarihi, OLD.doviz_cinsi, OLD.borc_tutar,
                                      OLD.alacak_tutar, -1);
    END IF;
    IF TG_OP IN ('INSERT', 'UPDATE') THEN
        PERFORM nakit_toplamlara_ekle(NEW.islem_tarihi, NEW.doviz_cinsi, NEW.borc_tutar,
                                      NEW.alacak_tutar, 1);
    END IF;
    RETURN NULL;
END;
$$;

CREATE TRIGGER nakit_toplam_ekle_sil AFTER INSERT OR DELETE ON nakit
    FOR EACH ROW EXECUTE FUNCTION nakit_toplamlar();
CREATE TRIGGER nakit_toplam_degistir
    AFTER UPDATE OF islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar ON nakit
    FOR EACH ROW EXECUTE FUNCTION nakit_toplamlar();

-- The journal of the movements: every movement deleted or changed, with its values before
-- the change, and every deleted movement brought back, as in a local file. The computer and
-- the system user come from the connection's settings tamevo.bilgisayar and
-- tamevo.kullanici, which the program sets when it opens a book (empty texts when it cannot
-- tell them; NULL for another tool); the time is the connection's local time.
CREATE FUNCTION nakit_gecmise_yaz(hareket nakit, islem_adi VARCHAR, degisen_sutunlar VARCHAR)
    RETURNS VOID LANGUAGE plpgsql SET search_path FROM CURRENT AS $$
BEGIN
    INSERT INTO nakit_gecmis (zaman, islem, bilgisayar, kullanici, degisen, nid, cekid,
        firmaid, firmakodu, firmaadi, bankaid, bankakodu, bankaadi, islem_tarihi, islem_vadesi,
        borc_tutar, alacak_tutar, neden, doviz_cinsi, doviz_borc, doviz_alacak, hes_dov_cinsi,
        hes_doviz_borc, hes_doviz_alacak, aciklama, kur_farki, doviz_kuru, fatura_KDV,
        fatura_no, fatura_seri, irsaliye_no, irsaliye_seri)
    VALUES (to_char(localtimestamp, 'YYYY-MM-DD HH24:MI:SS'), islem_adi,
        current_setting('tamevo.bilgisayar', true), current_setting('tamevo.kullanici', true),
        degisen_sutunlar,
        hareket.nid, hareket.cekid, hareket.firmaid, hareket.firmakodu, hareket.firmaadi,
        hareket.bankaid, hareket.bankakodu, hareket.bankaadi, hareket.islem_tarihi,
        hareket.islem_vadesi, hareket.borc_tutar, hareket.alacak_tutar, hareket.neden,
        hareket.doviz_cinsi, hareket.doviz_borc, hareket.doviz_alacak, hareket.hes_dov_cinsi,
        hareket.hes_doviz_borc, hareket.hes_doviz_alacak, hareket.aciklama, hareket.kur_farki,
        hareket.doviz_kuru, hareket.fatura_KDV, hareket.fatura_no, hareket.fatura_seri,
        hareket.irsaliye_no, hareket.irsaliye_seri);
END;
$$;

CREATE FUNCTION nakit_gecmis() RETURNS TRIGGER LANGUAGE plpgsql SET search_path FROM CURRENT AS $$
DECLARE
    degisen_sutunlar VARCHAR;
BEGIN
    IF TG_OP = 'DELETE' THEN
        PERFORM nakit_gecmise_yaz(OLD, 'SİLİNDİ', NULL);
    ELSIF TG_OP = 'UPDATE' THEN
        -- The names of the columns the change touched, in the table's order; an update that
        -- leaves every value as it was is no change.
        degisen_sutunlar := array_to_string(ARRAY[
            CASE WHEN OLD.nid IS DISTINCT FROM NEW.nid THEN 'nid' END,
            CASE WHEN OLD.cekid IS DISTINCT FROM NEW.cekid THEN 'cekid' END,
            CASE WHEN OLD.firmaid IS DISTINCT FROM NEW.firmaid THEN 'firmaid' END,
            CASE WHEN OLD.firmakodu IS DISTINCT FROM NEW.firmakodu THEN 'firmakodu' END,
            CASE WHEN OLD.firmaadi IS DISTINCT FROM NEW.firmaadi THEN 'firmaadi' END,
            CASE WHEN OLD.bankaid IS DISTINCT FROM NEW.bankaid THEN 'bankaid' END,
            CASE WHEN OLD.bankakodu IS DISTINCT FROM NEW.bankakodu THEN 'bankakodu' END,
            CASE WHEN OLD.bankaadi IS DISTINCT FROM NEW.bankaadi THEN 'bankaadi' END,
            CASE WHEN OLD.islem_tarihi IS DISTINCT FROM NEW.islem_tarihi THEN 'islem_tarihi' END,
            CASE WHEN OLD.islem_vadesi IS DISTINCT FROM NEW.islem_vadesi THEN 'islem_vadesi' END,
            CASE WHEN OLD.borc_tutar IS DISTINCT FROM NEW.borc_tutar THEN 'borc_tutar' END,
            CASE WHEN OLD.alacak_tutar IS DISTINCT FROM NEW.alacak_tutar THEN 'alacak_tutar' END,
            CASE WHEN OLD.neden IS DISTINCT FROM NEW.neden THEN 'neden' END,
            CASE WHEN OLD.doviz_cinsi IS DISTINCT FROM NEW.doviz_cinsi THEN 'doviz_cinsi' END,
            CASE WHEN OLD.doviz_borc IS DISTINCT FROM NEW.doviz_borc THEN 'doviz_borc' END,
            CASE WHEN OLD.doviz_alacak IS DISTINCT FROM NEW.doviz_alacak THEN 'doviz_alacak' END,
            CASE WHEN OLD.hes_dov_cinsi IS DISTINCT FROM NEW.hes_dov_cinsi THEN 'hes_dov_cinsi' END,
            CASE WHEN OLD.hes_doviz_borc IS DISTINCT FROM NEW.hes_doviz_borc THEN 'hes_doviz_borc' END,
            CASE WHEN OLD.hes_doviz_alacak IS DISTINCT FROM NEW.hes_doviz_alacak THEN 'hes_doviz_alacak' END,
            CASE WHEN OLD.aciklama IS DISTINCT FROM NEW.aciklama THEN 'aciklama' END,
            CASE WHEN OLD.kur_farki IS DISTINCT FROM NEW.kur_farki THEN 'kur_farki' END,
            CASE WHEN OLD.doviz_kuru IS DISTINCT FROM NEW.doviz_kuru THEN 'doviz_kuru' END,
            CASE WHEN OLD.fatura_KDV IS DISTINCT FROM NEW.fatura_KDV THEN 'fatura_KDV' END,
            CASE WHEN OLD.fatura_no IS DISTINCT FROM NEW.fatura_no THEN 'fatura_no' END,
            CASE WHEN OLD.fatura_seri IS DISTINCT FROM NEW.fatura_seri THEN 'fatura_seri' END,
            CASE WHEN OLD.irsaliye_no IS DISTINCT FROM NEW.irsaliye_no THEN 'irsaliye_no' END,
            CASE WHEN OLD.irsaliye_seri IS DISTINCT FROM NEW.irsaliye_seri THEN 'irsaliye_seri' END
        ], ',');
        IF degisen_sutunlar <> '' THEN
            PERFORM nakit_gecmise_yaz(OLD, 'DEĞİŞTİ', degisen_sutunlar);
        END IF;
    ELSIF EXISTS (SELECT 1 FROM nakit_gecmis WHERE nid = NEW.nid) THEN
        -- A movement added with the number of a journalled one is that movement brought back
        -- (numbers are never given twice).
        PERFORM nakit_gecmise_yaz(NEW, 'GERİ GELDİ', NULL);
    END IF;
    RETURN NULL;
END;
$$;

CREATE TRIGGER nakit_gecmis_yaz AFTER INSERT OR UPDATE OR DELETE ON nakit
    FOR EACH ROW EXECUTE FUNCTION nakit_gecmis();

