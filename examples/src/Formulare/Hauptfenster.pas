unit Hauptfenster;

{ ###DocGen_Start Das Hauptfenster
  ###ContextID 1001
  ###Toc Bedienung;Das Hauptfenster;Das_Hauptfenster
  ###Index Hauptfenster;Das Hauptfenster;Das_Hauptfenster
  ###Index Menü;Das Hauptfenster;menue
  Nach dem Start zeigt das Programm das <B>Hauptfenster</B>. Oben liegt
  die <A NAME="menue"></A>Menüleiste, darunter die Werkzeugleiste mit den
  wichtigsten Befehlen:

  <UL>
  <LI><B>Öffnen</B> lädt eine Kundendatei.</LI>
  <LI><B>Speichern</B> schreibt alle Änderungen zurück.</LI>
  <LI><B>Beenden</B> schließt das Programm.</LI>
  </UL>
  ###DocGen_End }

// ###DocGen_Start Tastenkürzel###
// ###Toc Bedienung;Tastenkürzel;Tastenkuerzel
// ###Index Tastatur;Tastenkürzel;Tastenkuerzel
// Die häufigsten Befehle erreichen Sie auch über die Tastatur:
// <TABLE BORDER="1">
// <TR><TH>Taste</TH><TH>Wirkung</TH></TR>
// <TR><TD>Strg+O</TD><TD>Datei öffnen</TD></TR>
// <TR><TD>Strg+S</TD><TD>Speichern</TD></TR>
// <TR><TD>F1</TD><TD>Hilfe zum aktuellen Fenster</TD></TR>
// </TABLE>
// ###DocGen_End

interface

uses
  Classes, Forms, Menus, ComCtrls;

type
  (* ###TechGen_Start TLex_Hauptfenster
     ###Toc Klassen;TLex_Hauptfenster;TLex_Hauptfenster
     ###Index Hauptfenster;TLex_Hauptfenster;TLex_Hauptfenster
     Das Formular hält den Zustand eines geöffneten Projekts. Es lädt beim
     ersten Anzeigen seine Fensterposition und danach die Projektdatei aus
     der Befehlszeile.

     <UL>
     <LI><TT>FormShow</TT> stellt die Fensterposition wieder her.</LI>
     <LI><TT>LadeProjekt</TT> liest eine Projektdatei. Projekte mit mehr
     als 1000 Kunden (Anzahl > 1000) lädt es seitenweise.</LI>
     </UL>
     ###TechGen_End *)
  TLex_Hauptfenster = class(TForm)
    MainMenu: TMainMenu;
    ToolBar: TToolBar;
    procedure FormShow(Sender: TObject);
  public
    procedure LadeProjekt(const Datei: string);
  end;

var
  Lex_Hauptfenster: TLex_Hauptfenster;

implementation

{$R *.dfm}

procedure TLex_Hauptfenster.FormShow(Sender: TObject);
begin
  { Fensterposition wiederherstellen }
end;

procedure TLex_Hauptfenster.LadeProjekt(const Datei: string);
begin
  Caption := 'Kundenmanager - ' + Datei;
end;

end.
