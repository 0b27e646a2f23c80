// Row data of the tuning tables.
