program Kundenmanager;

{ ###DocGen_Start Willkommen
  ###Output Erste_Schritte
  ###ContextID 1000
  ###Toc Einführung;Willkommen;Willkommen
  ###Index Kundenmanager;Willkommen;Willkommen
  Der <B>Kundenmanager</B> verwaltet Kunden, rechnet Angebote durch und
  exportiert die Daten für die Buchhaltung.

  Diese Hilfe führt Sie in wenigen Schritten durch das Programm. Die
  Kapitel im Inhaltsverzeichnis folgen dem Aufbau des Hauptfensters.
  ###DocGen_End }

{ ###TechGen_Start Programmstart
  ###Toc Aufbau;Programmstart;Programmstart
  Das Programm legt beim Start das Hauptfenster an und übergibt ihm eine
  Projektdatei, wenn sie als <I>einziges</I> Argument genannt wurde.
  Weitere Argumente werden übergangen.
  ###TechGen_End }

uses
  Forms,
  Hauptfenster in 'Formulare\Hauptfenster.pas' {Lex_Hauptfenster};

{$R *.res}

begin
  Application.Initialize;
  Application.Title := 'Kundenmanager';
  Application.CreateForm(TLex_Hauptfenster, Lex_Hauptfenster);
  if ParamCount = 1 then
    Lex_Hauptfenster.LadeProjekt(ParamStr(1));
  Application.Run;
end.
