Arvex demo game image
Boulder Dash (1984)(First Star).prg
