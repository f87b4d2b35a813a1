<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it">
<context>
    <name>AgwLink</name>
    <message>
        <location filename="../src/link/agw_link.cpp" line="50"/>
        <source>AGWPE non risponde: nessun collegamento dopo %1 s</source>
        <translation>AGWPE not answering: no connection after %1 s</translation>
    </message>
    <message>
        <location filename="../src/link/agw_link.cpp" line="95"/>
        <source>Dati non validi da AGWPE: un&apos;intestazione di frame non ha la forma prevista. Collegamento chiuso.</source>
        <translation>Invalid data from AGWPE: a frame header is not in the expected form. Connection closed.</translation>
    </message>
</context>
<context>
    <name>AlertWords</name>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="45"/>
        <source>temperatura</source>
        <translation>temperature</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="48"/>
        <source>umidità</source>
        <translation>humidity</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="51"/>
        <source>pressione</source>
        <translation>pressure</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="53"/>
        <source>pioggia in un&apos;ora</source>
        <translation>rain in one hour</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="55"/>
        <source>pioggia in 24 ore</source>
        <translation>rain in 24 hours</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="57"/>
        <source>vento</source>
        <translation>wind</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="59"/>
        <source>raffica</source>
        <translation>gust</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="76"/>
        <source>%1: %2 %3, di nuovo entro il limite di %4</source>
        <translation>%1: %2 %3, back within the limit of %4</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="78"/>
        <source>%1: %2 %3, sotto il limite di %4</source>
        <translation>%1: %2 %3, below the limit of %4</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="79"/>
        <source>%1: %2 %3, oltre il limite di %4</source>
        <translation>%1: %2 %3, above the limit of %4</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="121"/>
        <source>%1 non trasmette da un minuto</source>
        <translation>%1 has not sent for a minute</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="122"/>
        <source>%1 non trasmette da %2 minuti</source>
        <translation>%1 has not sent for %2 minutes</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="124"/>
        <source>%1 trasmette di nuovo, dopo un minuto di silenzio</source>
        <translation>%1 is sending again, after a minute of silence</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="125"/>
        <source>%1 trasmette di nuovo, dopo %2 minuti di silenzio</source>
        <translation>%1 is sending again, after %2 minutes of silence</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="128"/>
        <source>AGWPE non risponde da un minuto</source>
        <translation>AGWPE has not answered for a minute</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="129"/>
        <source>AGWPE non risponde da %1 minuti</source>
        <translation>AGWPE has not answered for %1 minutes</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="131"/>
        <source>AGWPE risponde di nuovo</source>
        <translation>AGWPE answers again</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_text.cpp" line="140"/>
        <source>Prova degli avvisi di Ventora per %1</source>
        <translation>Ventora alerts test for %1</translation>
    </message>
</context>
<context>
    <name>CommandWords</name>
    <message>
        <location filename="../src/alerts/alert_command.cpp" line="33"/>
        <source>Il comando «%1» è terminato bene</source>
        <translation>The command “%1” ended well</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_command.cpp" line="36"/>
        <source>Il comando «%1» non parte</source>
        <translation>The command “%1” does not start</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_command.cpp" line="39"/>
        <source>Il comando «%1» è terminato con codice %2</source>
        <translation>The command “%1” ended with code %2</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_command.cpp" line="44"/>
        <source>Il comando «%1» si è interrotto</source>
        <translation>The command “%1” crashed</translation>
    </message>
    <message>
        <location filename="../src/alerts/alert_command.cpp" line="47"/>
        <source>Il comando «%1» è stato fermato dopo %2 secondi</source>
        <translation>The command “%1” was stopped after %2 seconds</translation>
    </message>
</context>
<context>
    <name>EngineOutage</name>
    <message>
        <location filename="../src/link/reconnect_notice.cpp" line="28"/>
        <source>Riprovo AGWPE ore %1</source>
        <translation>AGWPE retry at %1</translation>
    </message>
    <message>
        <location filename="../src/link/reconnect_notice.cpp" line="29"/>
        <source>%1: AGWPE assente dal %2
Riprovo alle %3
%4</source>
        <translation>%1: AGWPE away since %2
Next try at %3
%4</translation>
    </message>
</context>
<context>
    <name>FrameDispatcher</name>
    <message>
        <location filename="../src/link/frame_dispatcher.cpp" line="36"/>
        <source>Ventora connesso a AGWPE v%1.%2</source>
        <translation>Connected to AGWPE v%1.%2</translation>
    </message>
    <message>
        <location filename="../src/link/frame_dispatcher.cpp" line="102"/>
        <source>Porte Radio : </source>
        <translation>Radio ports: </translation>
    </message>
</context>
<context>
    <name>HistoryQuantities</name>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="38"/>
        <location filename="../src/ui/history_quantities.cpp" line="41"/>
        <source>Temperatura</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="42"/>
        <source>Punto di rugiada</source>
        <translation>Dew point</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="44"/>
        <source>Wind chill</source>
        <translation>Wind chill</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="45"/>
        <source>Umidità</source>
        <translation>Humidity</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="48"/>
        <source>Umidità relativa</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="50"/>
        <location filename="../src/ui/history_quantities.cpp" line="53"/>
        <source>Pressione</source>
        <translation>Pressure</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="54"/>
        <source>Vento</source>
        <translation>Wind</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="57"/>
        <source>Vento medio</source>
        <translation>Average wind</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="58"/>
        <source>Raffica</source>
        <translation>Gust</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="59"/>
        <source>Direzione (°)</source>
        <translation>Direction (°)</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="61"/>
        <source>Pioggia</source>
        <translation>Rain</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="64"/>
        <source>Pioggia nell&apos;ultima ora</source>
        <translation>Rain in the last hour</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="66"/>
        <source>Pioggia da mezzanotte</source>
        <translation>Rain since midnight</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="71"/>
        <source>24 ore</source>
        <translation>24 hours</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="72"/>
        <source>7 giorni</source>
        <translation>7 days</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="73"/>
        <source>30 giorni</source>
        <translation>30 days</translation>
    </message>
    <message>
        <location filename="../src/ui/history_quantities.cpp" line="74"/>
        <source>1 anno</source>
        <translation>1 year</translation>
    </message>
</context>
<context>
    <name>HistoryRecorder</name>
    <message>
        <location filename="../src/history/history_recorder.cpp" line="12"/>
        <source>Storico meteo</source>
        <translation>Weather history</translation>
    </message>
    <message>
        <location filename="../src/history/history_recorder.cpp" line="19"/>
        <source>Il file dello storico %1 era danneggiato o non era un database: è stato messo da parte come %2 e ne è stato iniziato uno nuovo.</source>
        <translation>The history file %1 was damaged or was not a database: it has been set aside as %2 and a new one has been started.</translation>
    </message>
    <message>
        <location filename="../src/history/history_recorder.cpp" line="24"/>
        <source>Lo storico %1 non si può aprire né creare (%2). Il programma continua senza registrare i dati.</source>
        <translation>The history %1 cannot be opened or created (%2). The program goes on without recording the data.</translation>
    </message>
    <message>
        <location filename="../src/history/history_recorder.cpp" line="56"/>
        <source>Lo storico %1 non si può scrivere (%2). Il programma continua senza registrare i dati.</source>
        <translation>The history %1 cannot be written (%2). The program goes on without recording the data.</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <location filename="../src/history/history_store.cpp" line="269"/>
        <source>danneggiato, ma in uso da un altro programma: lasciato dov&apos;è</source>
        <translation>damaged, but in use by another program: left where it is</translation>
    </message>
</context>
<context>
    <name>MqttWords</name>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="9"/>
        <source>MQTT: spento</source>
        <translation>MQTT: off</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="11"/>
        <source>MQTT: connessione a %1:%2…</source>
        <translation>MQTT: connecting to %1:%2…</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="13"/>
        <source>MQTT: connesso a %1:%2</source>
        <translation>MQTT: connected to %1:%2</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="15"/>
        <source>MQTT: utente o password rifiutati da %1:%2</source>
        <translation>MQTT: user or password refused by %1:%2</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="17"/>
        <source>MQTT: server %1 sconosciuto</source>
        <translation>MQTT: unknown server %1</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="19"/>
        <source>MQTT: %1:%2 non raggiungibile</source>
        <translation>MQTT: %1:%2 unreachable</translation>
    </message>
    <message>
        <location filename="../src/mqtt/mqtt_state_text.cpp" line="23"/>
        <source>MQTT: certificato TLS di %1 non verificato</source>
        <translation>MQTT: TLS certificate of %1 not verified</translation>
    </message>
</context>
<context>
    <name>ReportDecoder</name>
    <message>
        <location filename="../src/weather/caption_format.cpp" line="7"/>
        <source>Calma di vento</source>
        <translation>Wind calm</translation>
    </message>
    <message>
        <location filename="../src/weather/caption_format.cpp" line="8"/>
        <source>Variaz Press in 4h= </source>
        <translation>Press change in 4h= </translation>
    </message>
</context>
<context>
    <name>SaveFileDialog</name>
    <message>
        <location filename="../src/ui/save_file_dialog.cpp" line="46"/>
        <source>Testo (*.txt);;Tutti i file (*)</source>
        <translation>Text (*.txt);;All files (*)</translation>
    </message>
    <message>
        <location filename="../src/ui/save_file_dialog.cpp" line="47"/>
        <source>CSV (*.csv);;Tutti i file (*)</source>
        <translation>CSV (*.csv);;All files (*)</translation>
    </message>
</context>
<context>
    <name>SetupForm</name>
    <message>
        <location filename="../src/app/setup_form.cpp" line="78"/>
        <source>Scrivere un numero, per esempio %1</source>
        <translation>Type a number, for example %1</translation>
    </message>
    <message>
        <location filename="../src/app/setup_form.cpp" line="149"/>
        <source>Scrivere un numero intero di umidità (%)</source>
        <translation>Type a whole number for humidity (%)</translation>
    </message>
    <message>
        <location filename="../src/app/setup_form.cpp" line="153"/>
        <source>Scrivere una porta TCP da 0 a 32767</source>
        <translation>Type a TCP port from 0 to 32767</translation>
    </message>
</context>
<context>
    <name>SummaryView</name>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="58"/>
        <source>Giorno</source>
        <translation>Day</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="59"/>
        <source>Media</source>
        <translation>Mean</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="60"/>
        <source>Max</source>
        <translation>High</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="61"/>
        <location filename="../src/ui/summary_view.cpp" line="63"/>
        <location filename="../src/ui/summary_view.cpp" line="79"/>
        <source>Ora</source>
        <translation>Time</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="62"/>
        <source>Min</source>
        <translation>Low</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="64"/>
        <source>GG risc.</source>
        <translation>Heat DD</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="65"/>
        <source>Gradi giorno di riscaldamento: quanto la media del giorno sta sotto 18,3 °C (65 °F)</source>
        <translation>Heating degree days: how far the day&apos;s mean stays below 18.3 °C (65 °F)</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="70"/>
        <source>GG raffr.</source>
        <translation>Cool DD</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="71"/>
        <source>Gradi giorno di raffrescamento: quanto la media del giorno sta sopra 18,3 °C (65 °F)</source>
        <translation>Cooling degree days: how far the day&apos;s mean stays above 18.3 °C (65 °F)</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="76"/>
        <source>Pioggia</source>
        <translation>Rain</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="77"/>
        <source>Vento medio</source>
        <translation>Avg wind</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="78"/>
        <location filename="../src/ui/summary_view.cpp" line="100"/>
        <source>Raffica</source>
        <translation>Gust</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="80"/>
        <source>Dir. dom.</source>
        <translation>Dom dir</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="81"/>
        <source>Direzione dominante: quella della somma dei venti del giorno, ciascuno pesato con la sua velocità</source>
        <translation>Dominant direction: that of the sum of the day&apos;s winds, each weighted by its speed</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="98"/>
        <source>Massima</source>
        <translation>Highest</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="99"/>
        <source>Minima</source>
        <translation>Lowest</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="101"/>
        <source>Pioggia in un giorno</source>
        <translation>Rain in a day</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="102"/>
        <source>Pioggia in un&apos;ora</source>
        <translation>Rain in an hour</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="103"/>
        <source>Pressione max</source>
        <translation>Highest pressure</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="104"/>
        <source>Pressione min</source>
        <translation>Lowest pressure</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="108"/>
        <source>Oggi</source>
        <translation>Today</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="108"/>
        <source>Ieri</source>
        <translation>Yesterday</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="109"/>
        <source>Questo mese</source>
        <translation>This month</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="109"/>
        <source>Quest&apos;anno</source>
        <translation>This year</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="110"/>
        <source>Di sempre</source>
        <translation>All time</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="303"/>
        <source>Esporta…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="308"/>
        <source>Testo NOAA…</source>
        <translation>NOAA text…</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="309"/>
        <source>CSV…</source>
        <translation>CSV…</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="339"/>
        <source>Mese:</source>
        <translation>Month:</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="344"/>
        <source>Record</source>
        <translation>Records</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="406"/>
        <source>Lo storico non si può aprire: %1</source>
        <translation>The history cannot be opened: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="408"/>
        <source>Lo storico non si legge: %1</source>
        <translation>The history cannot be read: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="454"/>
        <source>Giorni con almeno %1 %2 di pioggia: %3 nel mese, %4 nell&apos;anno</source>
        <translation>Days with at least %1 %2 of rain: %3 in the month, %4 in the year</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="479"/>
        <source>Esporta testo NOAA</source>
        <translation>Export NOAA text</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="485"/>
        <source>Esporta CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="491"/>
        <source>Riepilogo-%1-%2</source>
        <translation>Summary-%1-%2</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="499"/>
        <source>Riepilogo salvato in %1</source>
        <translation>Summary saved to %1</translation>
    </message>
    <message>
        <location filename="../src/ui/summary_view.cpp" line="503"/>
        <source>Impossibile salvare %1</source>
        <translation>Unable to save %1</translation>
    </message>
</context>
<context>
    <name>frmIstruzioni</name>
    <message>
        <location filename="../src/ui/help_viewer.cpp" line="18"/>
        <source>Istruzioni:</source>
        <translation>Help:</translation>
    </message>
    <message>
        <location filename="../src/ui/help_viewer.cpp" line="97"/>
        <source>Manca il file di help %1</source>
        <translation>The help file %1 is missing</translation>
    </message>
    <message>
        <location filename="../src/ui/help_viewer.h" line="12"/>
        <source>Leggimi.rtf</source>
        <extracomment>The file name of the help in this language, beside the program.</extracomment>
        <translation>ReadMe.rtf</translation>
    </message>
    <message>
        <location filename="../src/ui/help_viewer.h" line="13"/>
        <source>Ventora - Istruzioni</source>
        <translation>Ventora - Help</translation>
    </message>
</context>
<context>
    <name>frmPreferenze</name>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="60"/>
        <source>Preferenze</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="64"/>
        <source>Generale</source>
        <translation>General</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="65"/>
        <source>Avvisi</source>
        <translation>Alerts</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="68"/>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="90"/>
        <source>Automatico</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="96"/>
        <source>Metriche (°C, km/h, mb, mm)</source>
        <translation>Metric (°C, km/h, mb, mm)</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="97"/>
        <source>Imperiali (°F, mph, inHg, in)</source>
        <translation>Imperial (°F, mph, inHg, in)</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="104"/>
        <source>Lingua</source>
        <translation>Language</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="106"/>
        <source>Unità di misura</source>
        <translation>Units</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="115"/>
        <source>Notifiche sul desktop</source>
        <translation>Desktop notifications</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="119"/>
        <source>Nessuno</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="122"/>
        <source>Programma e argomenti, senza shell. Il comando trova nell&apos;ambiente VENTORA_EVENT, VENTORA_STATION, VENTORA_TIME, VENTORA_TEXT, VENTORA_MINUTES e, per gli allarmi, VENTORA_QUANTITY, VENTORA_VALUE e VENTORA_LIMIT.</source>
        <translation>A program and its arguments, no shell. The command finds VENTORA_EVENT, VENTORA_STATION, VENTORA_TIME, VENTORA_TEXT, VENTORA_MINUTES and, for alarms, VENTORA_QUANTITY, VENTORA_VALUE and VENTORA_LIMIT in its environment.</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="126"/>
        <source>Prova</source>
        <translation>Test</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="144"/>
        <source>Avvisa se la stazione tace da</source>
        <translation>Alert when the station is silent for</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="145"/>
        <source>Avvisa se AGWPE manca da</source>
        <translation>Alert when AGWPE is away for</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="147"/>
        <source>Comando</source>
        <translation>Command</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="169"/>
        <source>Mai</source>
        <translation>Never</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="170"/>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="176"/>
        <source>Prova in corso…</source>
        <translation>Test running…</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="184"/>
        <source>Ultimo problema del comando: %1</source>
        <translation>Last problem of the command: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/preferences_dialog.cpp" line="188"/>
        <source>La lingua cambia al prossimo avvio di Ventora.</source>
        <translation>The language changes the next time Ventora starts.</translation>
    </message>
</context>
<context>
    <name>frmStorico</name>
    <message>
        <location filename="../src/ui/history_window.cpp" line="107"/>
        <source>Esporta CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="119"/>
        <source>Riepilogo</source>
        <translation>Summary</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="139"/>
        <source>Intervallo:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="311"/>
        <source>Lo storico non si può aprire: %1</source>
        <translation>The history cannot be opened: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="313"/>
        <source>Lo storico non si legge: %1</source>
        <translation>The history cannot be read: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="315"/>
        <source>Nessun dato registrato per %1</source>
        <translation>No data recorded for %1</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="385"/>
        <source>Storico-%1-%2.csv</source>
        <translation>History-%1-%2.csv</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="386"/>
        <source>Esporta CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="391"/>
        <source>Esportazione in corso…</source>
        <translation>Exporting…</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="395"/>
        <source>Esportate %L1 righe…</source>
        <translation>Exported %L1 rows…</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="404"/>
        <source>%L1 righe esportate in %2</source>
        <translation>%L1 rows exported to %2</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.cpp" line="409"/>
        <source>Impossibile salvare %1</source>
        <translation>Unable to save %1</translation>
    </message>
    <message>
        <location filename="../src/ui/history_window.h" line="27"/>
        <source>Storico meteo %1</source>
        <translation>Weather history %1</translation>
    </message>
</context>
<context>
    <name>frmWx</name>
    <message>
        <location filename="../src/ui/main_window.cpp" line="123"/>
        <source>Il file delle soglie di allarme non si legge e non se ne può fare la copia %1.bak: il programma usa i valori predefiniti e lascia il file com&apos;è.</source>
        <translation>The alarm limits file cannot be read and no copy %1.bak of it can be made: the program uses the default values and leaves the file as it is.</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window.cpp" line="137"/>
        <source>Le soglie di allarme non sono state salvate: del file, che non si legge, non si può fare la copia %1.bak, e il programma lo lascia com&apos;è.</source>
        <translation>The alarm limits were not saved: the file cannot be read, no copy %1.bak of it can be made, and the program leaves it as it is.</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_history.cpp" line="45"/>
        <source>Doppio clic per lo storico: %1</source>
        <translation>Double-click for history: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_history.cpp" line="50"/>
        <source>Ripristina</source>
        <translation>Restore</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_history.cpp" line="51"/>
        <source>Storico</source>
        <translation>History</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_history.cpp" line="52"/>
        <source>Preferenze…</source>
        <translation>Preferences…</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_history.cpp" line="53"/>
        <source>Esci</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="94"/>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="94"/>
        <source>O</source>
        <translation>W</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="95"/>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="95"/>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="123"/>
        <source>Click col tasto destro del muose per avviare il Setup. F1=Help</source>
        <translation>Right-click the mouse to open Setup. F1=Help</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="138"/>
        <source>Click col tasto destro del mouse per avviare il Setup</source>
        <translation>Right-click the mouse to open Setup</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_layout.cpp" line="148"/>
        <source>Click col tasto destro per abilitare/disabilitare la finestra Rx</source>
        <translation>Right-click to show/hide the Rx window</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_link.cpp" line="26"/>
        <source>Errore collegamento con AGWPE</source>
        <translation>AGWPE connection error</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_preferences.cpp" line="15"/>
        <source>Le preferenze non si leggono: Ventora usa quelle predefinite e lascia il file com&apos;è finché non si salvano le preferenze.</source>
        <translation>The preferences cannot be read: Ventora uses the defaults and leaves the file as it is until the preferences are saved.</translation>
    </message>
    <message>
        <location filename="../src/ui/main_window_preferences.cpp" line="24"/>
        <source>Le preferenze non sono state salvate: valgono fino alla chiusura di Ventora.</source>
        <translation>The preferences were not saved: they apply until Ventora closes.</translation>
    </message>
</context>
<context>
    <name>frmWxSetup</name>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="109"/>
        <source>Setup Parametri Ventora</source>
        <translation>Ventora Setup</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="135"/>
        <source>All&apos;arrivo nuovi dati</source>
        <translation>When new data arrive</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="136"/>
        <location filename="../src/ui/setup_dialog.cpp" line="201"/>
        <source>Evidenzia finestra</source>
        <translation>Bring to front</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="137"/>
        <location filename="../src/ui/setup_dialog.cpp" line="202"/>
        <source>Suona</source>
        <translation>Beep</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="142"/>
        <source>Allarmi (valori evidenziati rosso)</source>
        <translation>Alarms (values shown in red)</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="154"/>
        <source>&amp;Conferma</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="155"/>
        <source>&amp;Cancella</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="81"/>
        <source>Wind:  Max</source>
        <translation>Wind:  Max</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="83"/>
        <source>Temp: Low</source>
        <translation>Temp: Low</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="85"/>
        <source>U.R.:   Low</source>
        <translation>RH:   Low</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="87"/>
        <source>Baro:   Low</source>
        <translation>Baro:   Low</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="89"/>
        <source>Rain:   1h</source>
        <translation>Rain:   1h</translation>
    </message>
    <message>
        <location filename="../src/ui/setup_dialog.cpp" line="203"/>
        <source>Salva i valori di Allarme / Suoni</source>
        <translation>Save Alarm / Beep values</translation>
    </message>
</context>
</TS>
